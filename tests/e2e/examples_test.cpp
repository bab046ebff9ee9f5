// The F67 example run as a newcomer runs it, but without a terminal:
// examples/run-example.sh with the viewer stand-ins, no display. The report's
// figures are checked against the program's own and the published ones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"
#include "png_check.h"

namespace {

std::vector<std::string> crlf_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

// The number at the end of a report line ("... =    6.139860E+01").
double last_number(const std::string& line) { return std::strtod(line.c_str() + line.rfind(' '), nullptr); }

TEST(Examples, F67RunsThroughWithoutTerminalAndMatchesThePublishedSheet) {
  e2e::CaseDir dir;
  const std::string runs = dir.root() + "/runs";
  const std::string run_dir = runs + "/f67w";
  const e2e::RunResult r =
      dir.run_program({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "TALVIRONESKA_BIN=" TALVIRONESKA_BIN,
                       "TALVIRONESKA_RUN_DIR=" + runs, "/bin/sh", TALVIRONESKA_SOURCE_DIR "/examples/run-example.sh"},
                      std::chrono::seconds(60));
  ASSERT_EQ(r.exit_status, 0) << r.err;
  // The program itself prints nothing: these lines are the stand-ins', in launch order.
  EXPECT_EQ(r.err,
            "Notepad: no terminal, not opening talvironeska_2p1_dados_geral.txt\n"
            "notepad: no terminal, not opening f67w_caso.txt\n"
            "Wgnuplot: plot written to " +
                run_dir +
                "/talvironeska_2p1_curva_F-t.png\n"
                "Notepad: no terminal, not opening f67w_saida_A.txt\n");
  EXPECT_NE(r.out.find("  report:     " + run_dir + "/f67w_saida_A.txt\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  plot:       " + run_dir + "/talvironeska_2p1_curva_F-t.png\n"), std::string::npos);

  const std::vector<std::string> report = crlf_lines(dir.read("../runs/f67w/f67w_saida_A.txt"));
  ASSERT_EQ(report.size(), 60u);
  const struct {
    std::size_t line;
    const char* text;
    // clang-format off
  } expected[] = {
      {30, "   nc = n\xFAmero de pontos da curva processada =    463"},
      {36, "   It     = impulso total real (Ns) =    6.139860E+01"},
      {38, "   Fmed   = empuxo m\xE9" "dio (N) =    6.644870E+01"},
      {40, "   tq     = tempo de queima (s) =   9.2400000E-01"},
      {42, "   classe = classifica\xE7\xE3o do motor =   F7.E+01"},
      {52, "   Is   = impulso espec\xED" "fico m\xE9" "dio (s) =    2.086971E+02"},
      {54, "   Fmax = empuxo m\xE1ximo (N) =    8.615600E+01"},
      {55, "   tmax = tempo de Fmax (s) =    3.960000E-01"},
  };
  // clang-format on
  for (const auto& e : expected) EXPECT_EQ(report[e.line - 1], e.text) << "line " << e.line;

  // The NAR data sheet, run AT170907: 61.409 N s, 66.460 N average, 86.156 N peak.
  const struct {
    std::size_t line;
    double published;
  } sheet[] = {{36, 61.409}, {38, 66.460}, {54, 86.156}};
  for (const auto& s : sheet) {
    const double value = last_number(report[s.line - 1]);
    EXPECT_LT(std::fabs(value - s.published) / s.published, 0.001) << "line " << s.line << ": " << value;
  }

  const e2e::PngInfo png = e2e::png_info(dir.read("../runs/f67w/talvironeska_2p1_curva_F-t.png"));
  EXPECT_TRUE(png.valid);
  EXPECT_TRUE(png.has_image_data);
  EXPECT_TRUE(png.has_end);
}

}  // namespace
