// The case parameter file: twelve values, one read each, then the curve arrays.
#ifndef TALVIRONESKA_INPUT_CASE_PARAMS_H_
#define TALVIRONESKA_INPUT_CASE_PARAMS_H_

#include "core/run_context.h"

// Reads the twelve values from the file named by the trimmed parameter file
// name (unit 6). An unassigned name holds NUL bytes and is error 43.
void read_case_params(RunContext& rc);

// Allocates t and F with nmax elements each (none when nmax <= 0), leaving
// their pages untouched. Error 179 when 8 * nmax does not fit in 32 bits,
// 41 when the memory cannot be had.
void allocate_curve_arrays(RunContext& rc);

#endif  // TALVIRONESKA_INPUT_CASE_PARAMS_H_
