// Runs gnuplot on a script, with no command interpreter between: no text of
// the series' can become a command. gnuplot_run_posix.cpp and
// gnuplot_run_win32.cpp implement it.
#ifndef TALVIRONESKA_TOOLS_INSPECT_GNUPLOT_RUN_H_
#define TALVIRONESKA_TOOLS_INSPECT_GNUPLOT_RUN_H_

#include <filesystem>
#include <string>

// Starts "gnuplot SCRIPT" (found on the search path) in the folder DIR and
// waits for it. Returns its exit status, or -1 when it could not be started.
// REQUIRES: SCRIPT is a plain file name of letters, digits, '_', '-' and '.'.
int run_gnuplot(const std::filesystem::path& dir, const std::string& script);

#endif  // TALVIRONESKA_TOOLS_INSPECT_GNUPLOT_RUN_H_
