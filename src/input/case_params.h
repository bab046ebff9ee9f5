// The case parameter file: twelve values, one read each.
#ifndef TALVIRONESKA_INPUT_CASE_PARAMS_H_
#define TALVIRONESKA_INPUT_CASE_PARAMS_H_

#include "core/run_context.h"

// Reads the twelve values from the file named by the trimmed parameter file
// name (unit 6). An unassigned name holds NUL bytes and is error 43.
void read_case_params(RunContext& rc);

#endif  // TALVIRONESKA_INPUT_CASE_PARAMS_H_
