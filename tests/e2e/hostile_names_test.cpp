// Case names and parameter file names made of command syntax, end to end:
// the run ends as usual, the viewers get each file name whole, and nothing
// the name spells is run. In the Windows run the names go through the real
// cmd.exe to recording viewers; the rows with characters that no Windows
// name can hold run on Linux only.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "harness.h"

namespace {

// TEXT as a list-directed text value: between apostrophes, each one inside twice.
std::string apostrophe_quoted(const std::string& text) {
  std::string value = "'";
  for (const char ch : text) {
    value += ch;
    if (ch == '\'') value += '\'';
  }
  return value + "'";
}

TEST(HostileNames, ReachTheViewersWholeAndRunNothing) {
  static const struct {
    std::string name;  // the case name, and with ".txt" the parameter file's
    bool windows;      // a Windows file name may hold it
  } rows[] = {
      {"x;mkdir PWNED;y", true},
      {"x|mkdir PWNED", false},
      {"x&mkdir PWNED&y", true},
      {"x$(mkdir PWNED)y", true},
      {"ensaio(2)", true},
      {"x`mkdir PWNED`y", true},
      {"x #y", true},
      {"x >PWNED", false},
      {"x >empuxo.dat #", false},  // would empty the thrust data file
      {"d'agua", true},
      {"a\\b", false},
      {"~/ensaio", true},
      {"e*", false},
      {"a^b", true},
      {"a%PATH%b", true},
      {"50 %PATH% x", true},
      {"teste  1", true},
      {"-x", true},
      {"<x", false},
      {"A&B 50% d'agua (2)", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (e2e::windows_run() && !row.windows) continue;
    e2e::CaseDir dir;
    dir.use_recording_viewers();
    // Something for a glob or a tilde to find: a name that reached the shell
    // as syntax would bring these in.
    std::filesystem::create_directory(dir.path() + "/~");
    dir.write("eco_saida_A.txt", "isca\r\n");
    e2e::CaseFiles files;
    files.parameter_file = row.name + ".txt";
    files.general_data = apostrophe_quoted(files.parameter_file) + "\r\n";
    files.case_name = apostrophe_quoted(row.name);
    files.curve_listing_option = "1";
    dir.write_valid_case(files);
    std::map<std::string, std::string> expected = dir.snapshot();

    const e2e::RunResult r = dir.run();
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(dir.launches(), (std::vector<std::string>{
                                  "Notepad talvironeska_2p1_dados_geral.txt", "notepad " + row.name + ".txt",
                                  "Notepad " + row.name + "_saida_A.txt", "Notepad " + row.name + "_saida_B.txt"}));
    const std::string report = row.name + "_saida_A.txt";
    ASSERT_TRUE(dir.exists(report));
    EXPECT_NE(dir.read(report).find("#  Caso   = " + row.name + "\r\n"), std::string::npos);
    // Only the two output files are new; the inputs are as they were.
    expected[report] = dir.read(report);
    expected[row.name + "_saida_B.txt"] = dir.read(row.name + "_saida_B.txt");
    EXPECT_TRUE(dir.snapshot() == expected) << "files changed or made";
    EXPECT_FALSE(dir.exists("PWNED"));
  }
}

}  // namespace
