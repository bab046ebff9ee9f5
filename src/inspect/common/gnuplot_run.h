// Runs gnuplot on a script, with no command interpreter between: no text of
// the series' can become a command. gnuplot_run_posix.cpp and
// gnuplot_run_win32.cpp implement it.
#ifndef TALVIRONESKA_INSPECT_COMMON_GNUPLOT_RUN_H_
#define TALVIRONESKA_INSPECT_COMMON_GNUPLOT_RUN_H_

#include <filesystem>
#include <string>

// Starts "gnuplot SCRIPT" in the folder DIR and waits for it: gnuplot as the
// search path finds it (on Windows also in this program's own folder), never
// one that lies in the working folder. Returns its exit status, or -1 when it could not be started.
// REQUIRES: SCRIPT is a plain file name of letters, digits, '_', '-' and '.'.
int run_gnuplot(const std::filesystem::path& dir, const std::string& script);

#endif  // TALVIRONESKA_INSPECT_COMMON_GNUPLOT_RUN_H_
