// How every command of talvironeska-inspect ends: its exit status, its
// report with the warnings counted, and the one form of a failure.
#ifndef TALVIRONESKA_INSPECT_COMMON_OUTCOME_H_
#define TALVIRONESKA_INSPECT_COMMON_OUTCOME_H_

#include <string>

#include "io/severe_error.h"

// The exit status: the input fits (the files were written), there are
// warnings, or the input is unusable (nothing was written).
enum ExitStatus : int { kStatusFits = 0, kStatusWarnings = 1, kStatusUnusable = 2 };

// A report for the standard output, line by line.
struct Report {
  std::string text;
  int warnings = 0;

  void line(const std::string& s) { text += s + "\n"; }
  void warn(const std::string& s) {
    text += "  AVISO: " + s + "\n";
    ++warnings;
  }
  void blank() { text += "\n"; }
};

// Fits, or warnings when REPORT has any.
ExitStatus report_status(const Report& report);

// The line on the standard error that tells why a command failed:
// "talvironeska-inspect: erro: MESSAGE".
std::string failure_line(const std::string& message);

// Writes the failure line of MESSAGE: the exit status of an unusable input.
int fail(const std::string& message);

// The failure line of the program's error ERROR: "severe (N): TEXT".
int fail_severe(const SevereError& error);

// STATUS, unless the report on the standard output was lost on the way (a
// full disk, a closed stream): then a failure.
int after_report(int status);

#endif  // TALVIRONESKA_INSPECT_COMMON_OUTCOME_H_
