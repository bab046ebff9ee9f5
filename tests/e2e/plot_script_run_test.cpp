// The plot script as a whole run leaves it, and what a bad script stops.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "harness.h"

namespace {

constexpr const char* kRunLines =
    "set title 'Motor de teste'\r\n"
    "plot 'ensaio7_saida_B.txt' using 1:2 notitle\r\n";

e2e::CaseFiles plotting_case() {
  e2e::CaseFiles files;
  files.plot_option = "1";
  files.curve_listing_option = "1";
  return files;
}

TEST(PlotScriptRun, KeepsSixLinesThenTheRunsTwo) {
  static const struct {
    const char* what;
    std::string before;
    std::string after;
  } cases[] = {
      {"extra lines", "a\nb\r\nc\n\nset grid\r\n#\nold title\r\nold plot\r\nmore\n",
       std::string("a\nb\r\nc\n\nset grid\r\n#\n") + kRunLines},
      {"exactly six lines", "1\n2\n3\n4\n5\n6\n", std::string("1\n2\n3\n4\n5\n6\n") + kRunLines},
      {"six lines, no final line end", "1\n2\n3\n4\n5\n6", std::string("1\n2\n3\n4\n5\n6\r\n") + kRunLines},
  };
  for (const auto& c : cases) {
    e2e::CaseDir dir;
    dir.write_valid_case(plotting_case());
    dir.write(e2e::kPlotScriptFile, c.before);
    const e2e::RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 0) << c.what;
    EXPECT_EQ(r.err, "") << c.what;
    EXPECT_EQ(dir.read(e2e::kPlotScriptFile), c.after) << c.what;
    EXPECT_EQ(dir.launches().size(), 5u) << c.what;
  }
}

TEST(PlotScriptRun, ShortOrMissingScriptEndsTheRunBeforeAnyViewer) {
  const std::vector<std::string> inputs_only = {"Notepad talvironeska_2p1_dados_geral.txt", "notepad caso.txt"};
  for (const std::optional<std::string>& before :
       {std::optional<std::string>("1\r\n2\r\n3\r\n4\r\n5\r\n"), std::optional<std::string>()}) {
    e2e::CaseDir dir;
    dir.write_valid_case(plotting_case());
    if (before) dir.write(e2e::kPlotScriptFile, *before);
    const e2e::RunResult r = dir.run();
    const std::string what = before ? "five lines" : "missing";
    EXPECT_EQ(r.exit_status, 1) << what;
    EXPECT_EQ(r.out, "") << what;
    EXPECT_EQ(r.err, "talvironeska: severe (24): end-of-file during read, unit 18, file " +
                         dir.full_path(e2e::kPlotScriptFile) + "\n")
        << what;
    EXPECT_EQ(dir.read(e2e::kPlotScriptFile), before.value_or("")) << what;
    EXPECT_EQ(dir.launches(), inputs_only) << what;
  }
}

TEST(PlotScriptRun, PlotOptionZeroNeitherCreatesTheScriptNorStartsGnuplot) {
  e2e::CaseDir dir;
  dir.write_valid_case();
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_FALSE(dir.exists(e2e::kPlotScriptFile));
  for (const std::string& launch : dir.launches()) EXPECT_EQ(launch.find("Wgnuplot"), std::string::npos) << launch;
}

}  // namespace
