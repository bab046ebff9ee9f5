// talvironeska-inspect with no subcommand: the check of a case, or of one
// thrust data file, before the program runs on it; with --eng, the engine
// file of the burn.
#ifndef TALVIRONESKA_INSPECT_CHECK_COMMAND_H_
#define TALVIRONESKA_INSPECT_CHECK_COMMAND_H_

#include "inspect/check/inspection.h"
#include "inspect/check/options.h"
#include "inspect/common/command_line.h"
#include "inspect/json/output.h"

// Runs the check on CALL's words: the exit status.
int check_main(const Invocation& call);

// Reads the case in the current directory, or the thrust data file OPTIONS
// names, into INPUT as the check reads it (the names checked, the records
// read): kStatusFits, else the exit status after the failure line and, where
// JSON asks for one, the error document.
int read_check_input(const Options& options, InspectInput& input, const JsonRun& json);

#endif  // TALVIRONESKA_INSPECT_CHECK_COMMAND_H_
