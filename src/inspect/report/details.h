// The motor, team, date and notes of a case's page, kept in the case as
// NAME_relatorio.txt: "chave = valor" lines, Windows-1252 with CR LF, so
// that a page made later says the same without the options again.
#ifndef TALVIRONESKA_INSPECT_REPORT_DETAILS_H_
#define TALVIRONESKA_INSPECT_REPORT_DETAILS_H_

#include <string>
#include <string_view>

#include "inspect/report/options.h"

// The details in TEXT, the file's bytes: the lines "motor = ", "equipe = ",
// "data = " and "notas = ", blanks around the key and the value left out;
// other lines are ignored.
ReportDetails read_report_details(std::string_view text);

// The file's bytes for DETAILS (Windows-1252 values): a line for each one set.
std::string report_details_text(const ReportDetails& details);

// KEPT with each detail that GIVEN sets (as the command line gives it)
// taken instead, in Windows-1252.
ReportDetails merge_report_details(const ReportDetails& kept, const ReportDetails& given);

#endif  // TALVIRONESKA_INSPECT_REPORT_DETAILS_H_
