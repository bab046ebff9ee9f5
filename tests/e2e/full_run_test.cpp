// Whole runs to the end, and what a failed run leaves of the previous one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

bool ends_with_crlf(const std::string& text) {
  return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}

// examples/f67w/f67w.dat is a real recording, not ours: the certification
// firing of an AeroTech F67-6W by the National Association of Rocketry's
// Standards and Testing committee (run AT170907, 2017-10-29), published as
// data/test/AT-F67.DAT in github.com/cshramko/NAR_SaT (GPL v3), here as
// time-thrust pairs at 500 Hz.
TEST(FullRun, RealCaseRunsSilentlyToTheEnd) {
  e2e::CaseDir dir;
  for (const char* name :
       {"f67w.dat", "f67w_caso.txt", "talvironeska_2p1_dados_geral.txt", "talvironeska_2p1_curva_F-t.gnu"}) {
    dir.write(name, e2e::source_file(std::string("examples/f67w/") + name));
  }
  const std::string settings = dir.read(e2e::kPlotScriptFile);
  const e2e::RunResult r = dir.run();
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(dir.launches(),
            (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad f67w_caso.txt",
                                      "Wgnuplot talvironeska_2p1_curva_F-t.gnu", "Notepad f67w_saida_A.txt"}));
  EXPECT_TRUE(ends_with_crlf(dir.read("f67w_saida_A.txt")));
  EXPECT_TRUE(ends_with_crlf(dir.read("f67w_saida_B.txt")));
  EXPECT_EQ(dir.read(e2e::kPlotScriptFile),
            settings +
                "set title 'AeroTech F67-6W, NAR certification firing, 2017-10-29 (run AT170907)'\r\n"
                "plot 'f67w_saida_B.txt' using 1:2 notitle\r\n");
}

TEST(FullRun, CaseNameWithAnInnerBlank) {
  e2e::CaseDir dir;
  e2e::CaseFiles files;
  files.case_name = "'  teste 1 '";
  files.plot_option = "1";
  files.curve_listing_option = "1";
  dir.write_valid_case(files);
  dir.write(e2e::kPlotScriptFile, "\n\n\n\n\n\n");
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(dir.exists("teste 1_saida_A.txt"));
  EXPECT_TRUE(dir.exists("teste 1_saida_B.txt"));
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad caso.txt",
                                                      "Wgnuplot talvironeska_2p1_curva_F-t.gnu",
                                                      "Notepad teste 1_saida_A.txt", "Notepad teste 1_saida_B.txt"}));
  EXPECT_EQ(dir.read(e2e::kPlotScriptFile),
            "\n\n\n\n\n\nset title 'Motor de teste'\r\nplot 'teste 1_saida_B.txt' using 1:2 notitle\r\n");
}

TEST(FullRun, ARunThatFailsBeforeTheReportLeavesThePreviousOutputs) {
  e2e::CaseDir dir;
  e2e::CaseFiles files;
  files.thrust_data = "0.0 0.0\n0.1 10.0\n0.2 20.0\n";  // ends inside the window
  dir.write_valid_case(files);
  const std::string previous_a = "relat\xF3rio anterior\r\n";
  const std::string previous_b = "curva anterior\r\n0.0 0.0\r\n";
  dir.write("ensaio7_saida_A.txt", previous_a);
  dir.write("ensaio7_saida_B.txt", previous_b);
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.err,
            "talvironeska: severe (24): end-of-file during read, unit 8, file " + dir.full_path("empuxo.dat") + "\n");
  EXPECT_EQ(dir.read("ensaio7_saida_A.txt"), previous_a);
  EXPECT_EQ(dir.read("ensaio7_saida_B.txt"), previous_b);
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad caso.txt"}));
}

}  // namespace
