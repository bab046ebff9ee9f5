// The summary report: the run's input data, the motor's figures and a
// one-line statistics table of the curve, 60 lines.
#ifndef TALVIRONESKA_OUTPUT_SUMMARY_REPORT_H_
#define TALVIRONESKA_OUTPUT_SUMMARY_REPORT_H_

#include "core/run_context.h"

// Writes the trimmed case name + "_saida_A.txt" on unit 10 from its start and
// cuts it after the last line. With time-origin option 0 it first replaces
// rc.tmax by tmax - ti (the curve's time scale); that is the only value of
// the run it changes. Open, write and close failures end the run (unit 10).
void write_summary_report(RunContext& rc);

#endif  // TALVIRONESKA_OUTPUT_SUMMARY_REPORT_H_
