// The user's lines of a case's plot script (lines 1 to 6, which the run
// hands to gnuplot as they are), looked at for commands that run programs
// or write files: a case received from someone else may carry them.
#ifndef TALVIRONESKA_INSPECT_PROGRAM_PLOT_SCRIPT_CHECK_H_
#define TALVIRONESKA_INSPECT_PROGRAM_PLOT_SCRIPT_CHECK_H_

#include <string>
#include <string_view>
#include <vector>

inline constexpr int kPlotScriptUserLines = 6;

struct ScriptFinding {
  int line = 0;      // from 1
  std::string what;  // in Portuguese: "system(...) roda um programa"
};

// What in LINE (one line of gnuplot commands) runs a program or writes a
// file: system, `!`, backquotes, a file name starting with '<' or '|',
// set print / set output to a pipe, load, call, eval, shell, save, set
// table, cd, import, exit, quit; commands abbreviated as gnuplot takes them
// too. Empty when
// nothing does.
std::vector<std::string> risky_gnuplot(std::string_view line);

// The findings in the first six lines of TEXT, the plot script's bytes.
std::vector<ScriptFinding> check_plot_script(std::string_view text);

// The warnings on the plot script of the case in the current directory,
// one per finding, naming its line; none when it is missing or is not a
// plain file (a pipe is never opened).
std::vector<std::string> plot_script_notes();

#endif  // TALVIRONESKA_INSPECT_PROGRAM_PLOT_SCRIPT_CHECK_H_
