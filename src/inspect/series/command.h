// talvironeska-inspect serie: certification statistics over several firings
// of one motor, with the report, the CSV table, the mean curve's engine file
// and the picture of every curve.
#ifndef TALVIRONESKA_INSPECT_SERIES_COMMAND_H_
#define TALVIRONESKA_INSPECT_SERIES_COMMAND_H_

#include "inspect/common/command_line.h"

// Runs the command. Exit status: 0 when every check passed and every file was
// written, 1 when a check failed or the picture could not be drawn, 2 when a
// firing cannot be read (nothing is written then) or a file cannot be written.
int series_main(const Invocation& call);

#endif  // TALVIRONESKA_INSPECT_SERIES_COMMAND_H_
