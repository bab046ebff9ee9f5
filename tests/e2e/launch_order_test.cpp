// Which outside programs a whole run starts, and in what order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

constexpr const char* kUserSettings = "set xlabel 't (s)'\r\nset ylabel 'F (N)'\r\nset grid\r\n\r\n#\r\n#\r\n";

TEST(LaunchOrder, FollowsThePlotAndCurveListingOptions) {
  const std::string edit_general = "Notepad talvironeska_2p1_dados_geral.txt";
  const std::string edit_case = "notepad caso.txt";
  const std::string gnuplot = "Wgnuplot talvironeska_2p1_curva_F-t.gnu";
  const std::string report = "Notepad ensaio7_saida_A.txt";
  const std::string curve = "Notepad ensaio7_saida_B.txt";
  static const struct {
    const char* plot_option;
    const char* curve_listing_option;
    bool gnuplot;
    bool curve;
  } cases[] = {
      {"0", "0", false, false}, {"0", "1", false, true}, {"0", "2", false, false},
      {"1", "0", true, false},  {"1", "1", true, true},  {"1", "2", true, false},
      {"2", "0", false, false}, {"2", "1", false, true}, {"2", "2", false, false},
  };
  for (const auto& c : cases) {
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.plot_option = c.plot_option;
    files.curve_listing_option = c.curve_listing_option;
    dir.write_valid_case(files);
    dir.write(e2e::kPlotScriptFile, kUserSettings);
    const e2e::RunResult r = dir.run();
    const std::string options = std::string(c.plot_option) + " " + c.curve_listing_option;
    EXPECT_EQ(r.exit_status, 0) << options;
    EXPECT_EQ(r.err, "") << options;
    std::vector<std::string> expected = {edit_general, edit_case};
    if (c.gnuplot) expected.push_back(gnuplot);
    expected.push_back(report);
    if (c.curve) expected.push_back(curve);
    EXPECT_EQ(dir.launches(), expected) << options;
    // Only plot option 1 touches the script.
    if (c.gnuplot) {
      EXPECT_EQ(
          dir.read(e2e::kPlotScriptFile),
          std::string(kUserSettings) + "set title 'Motor de teste'\r\nplot 'ensaio7_saida_B.txt' using 1:2 notitle\r\n")
          << options;
    } else {
      EXPECT_EQ(dir.read(e2e::kPlotScriptFile), kUserSettings) << options;
    }
  }
}

TEST(LaunchOrder, EachViewerStartsOnlyAfterThePreviousOneClosed) {
  // Each fake viewer takes a while and leaves a mark; the next one finds it.
  e2e::CaseDir dir;
  e2e::CaseFiles files;
  files.plot_option = "1";
  files.curve_listing_option = "1";
  dir.write_valid_case(files);
  dir.write(e2e::kPlotScriptFile, kUserSettings);
  dir.on_launch("Wgnuplot", e2e::kPlotScriptFile, "sleep 0.3; echo 1 > marks", ">marks echo 1");
  dir.on_launch("Notepad", "ensaio7_saida_A.txt", "sleep 0.3; test \"$(cat marks)\" = 1 && echo 2 >> marks",
                "findstr /x 1 marks >nul && >>marks echo 2");
  dir.on_launch("Notepad", "ensaio7_saida_B.txt", "echo 3 >> marks", ">>marks echo 3");
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  std::string marks = dir.read("marks");
  std::erase(marks, '\r');  // batch files write CR LF
  EXPECT_EQ(marks, "1\n2\n3\n");
}

}  // namespace
