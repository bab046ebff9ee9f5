#include "inspect/common/outcome.h"

#include <cstdio>

#include "inspect/common/command_line.h"
#include "inspect/common/console.h"
#include "inspect/common/native_name.h"

ExitStatus report_status(const Report& report) { return report.warnings == 0 ? kStatusFits : kStatusWarnings; }

std::string failure_line(const std::string& message) { return std::string(kInspectName) + ": erro: " + message + "\n"; }

int fail(const std::string& message) {
  put(failure_line(message), stderr);
  return kStatusUnusable;
}

int fail_severe(const SevereError& error) {
  return fail("severe (" + std::to_string(error.number()) + "): " + console_name(error.text()));
}

// A report lost on the way out (a full disk, a closed standard output) is a
// failure, not a result.
int after_report(int status) {
  static bool said = false;
  if (standard_output_ok()) return status;
  if (!said) fail("erro ao escrever o relatório na saída padrão");
  said = true;
  return kStatusUnusable;
}
