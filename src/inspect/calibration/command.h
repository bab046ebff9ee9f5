// talvironeska-inspect calibrar: a load cell's calibration table fitted and
// written as a .cal file for the import.
#ifndef TALVIRONESKA_INSPECT_CALIBRATION_COMMAND_H_
#define TALVIRONESKA_INSPECT_CALIBRATION_COMMAND_H_

#include "inspect/common/command_line.h"

// Writes the report on stdout and an error on stderr; returns 0 when the
// .cal file was written, 1 when it was written with warnings, 2 when
// nothing was written.
int calibrar_main(const Invocation& call);

#endif  // TALVIRONESKA_INSPECT_CALIBRATION_COMMAND_H_
