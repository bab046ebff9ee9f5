// The seven-line block that opens both result files: program and version,
// the case name and the title.
#ifndef TALVIRONESKA_OUTPUT_REPORT_HEADER_H_
#define TALVIRONESKA_OUTPUT_REPORT_HEADER_H_

#include "core/run_context.h"

class Unit;

// Writes lines 1 to 7 with the trimmed case name and title, byte for byte
// the same in the summary report and the curve data file.
void write_report_header(Unit& unit, const RunContext& rc);

#endif  // TALVIRONESKA_OUTPUT_REPORT_HEADER_H_
