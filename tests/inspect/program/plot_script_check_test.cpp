#include "inspect/program/plot_script_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each line of gnuplot with the number of findings it must give.
TEST(PlotScriptCheck, CommandsThatRunProgramsOrWriteFiles) {
  static const struct {
    const char* line;
    std::size_t findings;
    // clang-format off
  } cases[] = {
      {"set xlabel 't [s]'; set ylabel 'F [N]'", 0},
      {"set grid; set style data lines", 0},
      {"if (strstrt(GPVAL_TERMINALS, \"windows\") > 0) { set terminal wxt persist } else { set terminal qt persist }", 0},
      {"set title 'load; save; system(1) | <'", 0},          // all inside a quoted title
      {"set title 'x `id`'", 1},                           // backquotes are told wherever they stand
      {"# system('rm') in a comment", 0},
      {"set output 'grafico.png'", 0},
      {"set print 'saida.txt'", 0},
      {"a = 1 != 2", 0},
      {"system('rm -rf ~')", 1},
      {"sy 'ls'", 1},
      {"print system(\"id\")", 1},
      {"!rm x", 1},
      {"set title `whoami`", 1},
      {"set title \"`whoami`\"", 1},                        // backquotes run inside double quotes too
      {"plot '< cat /etc/passwd'", 1},
      {"set output '| lp'", 1},
      {"set print \"|mail x\"", 1},
      {"load 'outro.gnu'", 1},
      {"l 'outro.gnu'", 1},
      {"call 'x.gnu' 1 2", 1},
      {"eval cmd", 1},
      {"shell", 1},
      {"save 'tudo.gnu'", 1},
      {"set table 'x.dat'", 1},
      {"se tab 'x.dat'", 1},
      {"cd '/tmp'", 1},
      {"import f(x) from 'lib.so'", 1},
      {"exit", 1},
      {"q", 1},
      {"set grid; if (1) { shell }", 1},
      {"set grid; save 'a'; load 'b'", 2},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(risky_gnuplot(c.line).size(), c.findings) << c.line;
}

TEST(PlotScriptCheck, OnlyTheUsersSixLinesAreLookedAt) {
  const std::string script = "set grid\r\nload 'a'\nset grid\nset grid\nset grid\nshell\nsystem('x')\nsystem('y')\n";
  const auto findings = check_plot_script(script);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].line, 2);
  EXPECT_EQ(findings[1].line, 6);
}

}  // namespace
