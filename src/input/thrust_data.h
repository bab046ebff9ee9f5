// The thrust data file, read and turned into the processed curve in one pass.
#ifndef TALVIRONESKA_INPUT_THRUST_DATA_H_
#define TALVIRONESKA_INPUT_THRUST_DATA_H_

#include "core/run_context.h"

// Reads (time, thrust) records from the file named by the trimmed `original`
// (unit 8) and keeps each record inside ti - dt/2 < time < dt/2 + tf as the
// next curve point; stops after the first record beyond dt/2 + tf. The file
// ending first is error 24; more points than nmax is error 408.
void read_thrust_data(RunContext& rc);

#endif  // TALVIRONESKA_INPUT_THRUST_DATA_H_
