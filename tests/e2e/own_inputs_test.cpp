// No run writes over its own inputs: when the summary report or the curve
// data file is, under any name or link, a file the run reads or the other
// output, the run ends before it writes anything.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "harness.h"

namespace {

using e2e::CaseFiles;

// The runs a row is for: a name that is one file only as Windows compares
// names, a link to a file not made yet only where wine does not stand between.
enum class Where { both, windows, posix };

constexpr const char* kUserPlotLines = "set grid\nset xlabel 't (s)'\nset ylabel 'F (N)'\n#\n#\n#\n";

void symlink_in(const e2e::CaseDir& dir, const std::string& target, const std::string& name) {
  std::filesystem::create_symlink(target, dir.path() + "/" + name);
}

void hard_link_in(const e2e::CaseDir& dir, const std::string& target, const std::string& name) {
  std::filesystem::create_hard_link(dir.path() + "/" + target, dir.path() + "/" + name);
}

TEST(OwnInputs, AnOutputThatIsAnInputEndsTheRunBeforeAnythingIsWritten) {
  // clang-format off
  static const struct {
    const char* what;
    void (*edit)(CaseFiles& files);
    void (*links)(const e2e::CaseDir& dir);
    int unit;
    const char* output;  // as the error line shows it
    Where where;
  } runs[] = {
      {"the thrust data file under the report's name",
       [](CaseFiles& f) { f.original = "'ensaio7_saida_A.txt'"; f.thrust_file = "ensaio7_saida_A.txt"; },
       [](const e2e::CaseDir&) {}, 10, "ensaio7_saida_A.txt", Where::both},
      {"the thrust data file named as the curve, in capitals with a trailing dot",
       [](CaseFiles& f) { f.original = "'ENSAIO7_SAIDA_B.TXT.'"; f.thrust_file = "ensaio7_saida_B.txt"; },
       [](const e2e::CaseDir&) {}, 20, "ensaio7_saida_B.txt", Where::windows},
      {"the report a link to the case parameter file", [](CaseFiles&) {},
       [](const e2e::CaseDir& d) { symlink_in(d, "caso.txt", "ensaio7_saida_A.txt"); }, 10, "ensaio7_saida_A.txt", Where::both},
      {"the report a hard link to the general data file", [](CaseFiles&) {},
       [](const e2e::CaseDir& d) { hard_link_in(d, e2e::kGeneralDataFile, "ensaio7_saida_A.txt"); }, 10,
       "ensaio7_saida_A.txt", Where::both},
      {"the curve a hard link to the thrust data file", [](CaseFiles&) {},
       [](const e2e::CaseDir& d) { hard_link_in(d, "empuxo.dat", "ensaio7_saida_B.txt"); }, 20,
       "ensaio7_saida_B.txt", Where::both},
      {"the curve a link to the plot script", [](CaseFiles&) {},
       [](const e2e::CaseDir& d) { symlink_in(d, e2e::kPlotScriptFile, "ensaio7_saida_B.txt"); }, 20,
       "ensaio7_saida_B.txt", Where::both},
      {"the report and the curve one file", [](CaseFiles&) {},
       [](const e2e::CaseDir& d) {
         d.write("ensaio7_saida_A.txt", "relat\xF3rio antigo\r\n");
         hard_link_in(d, "ensaio7_saida_A.txt", "ensaio7_saida_B.txt");
       },
       10, "ensaio7_saida_A.txt", Where::both},
      {"the report a link to the curve, neither made yet", [](CaseFiles&) {},
       [](const e2e::CaseDir& d) { symlink_in(d, "ensaio7_saida_B.txt", "ensaio7_saida_A.txt"); }, 10,
       "ensaio7_saida_A.txt", Where::posix},
  };
  // clang-format on
  for (const auto& run : runs) {
    if (run.where != Where::both && (run.where == Where::windows) != e2e::windows_run()) continue;
    SCOPED_TRACE(run.what);
    e2e::CaseDir dir;
    CaseFiles files;
    files.plot_option = "1";
    run.edit(files);
    dir.write_valid_case(files);
    dir.write(e2e::kPlotScriptFile, kUserPlotLines);
    run.links(dir);
    std::map<std::string, std::string> before;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      before[name] = dir.exists(name) ? dir.read(name) : "<dangling link>";
    }

    const e2e::RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.err, "talvironeska: severe (30): output file is an input of this run, unit " +
                         std::to_string(run.unit) + ", file " + dir.full_path(run.output) + "\n");
    std::map<std::string, std::string> after;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      after[name] = dir.exists(name) ? dir.read(name) : "<dangling link>";
    }
    EXPECT_TRUE(after == before) << "files changed";
    // The editor opened on the two inputs, and on nothing after.
    EXPECT_EQ(dir.launches().size(), 2u);
  }
}

}  // namespace
