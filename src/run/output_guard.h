// No run writes over its own inputs: checked once, before the first output
// file is opened.
#ifndef TALVIRONESKA_RUN_OUTPUT_GUARD_H_
#define TALVIRONESKA_RUN_OUTPUT_GUARD_H_

#include "core/run_context.h"

// Ends the run with severe error 30, "output file is an input of this run,
// unit N, file PATH", when the summary report (unit 10) or else the curve
// data file (unit 20) is, under any name or link (os_same_file), the general
// data file, the case parameter file, the thrust data file, the plot script
// or the other output. Nothing is written then.
void check_outputs_are_not_inputs(const RunContext& rc);

#endif  // TALVIRONESKA_RUN_OUTPUT_GUARD_H_
