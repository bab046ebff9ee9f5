// The command line of talvironeska-inspect relatorio.
#ifndef TALVIRONESKA_INSPECT_REPORT_OPTIONS_H_
#define TALVIRONESKA_INSPECT_REPORT_OPTIONS_H_

#include <optional>
#include <string>

#include "inspect/common/command_line.h"

// What the page says of the firing beyond its figures; each one given is
// remembered in the case's NAME_relatorio.txt for the next page.
struct ReportDetails {
  std::optional<std::string> motor;  // --motor TEXTO
  std::optional<std::string> team;   // --equipe TEXTO
  std::optional<std::string> date;   // --data AAAA-MM-DD
  std::optional<std::string> notes;  // --notas TEXTO
};

struct ReportOptions {
  std::string folder;  // the case's folder; empty: the current one
  ReportDetails details;
  std::string reference_file;  // --referencia ARQ: a published curve (.eng, .rse) to compare the burn with
};

// The report's command line. Beyond the common rules it refuses a second
// folder and a date that is not AAAA-MM-DD.
extern const CommandLineRules<ReportOptions> kReportCommandLine;

extern const CommandText kReportText;

// True for a calendar date written AAAA-MM-DD.
bool valid_date(std::string_view text);

#endif  // TALVIRONESKA_INSPECT_REPORT_OPTIONS_H_
