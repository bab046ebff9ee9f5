// talvironeska-inspect with no subcommand: the check of a case, or of one
// thrust data file, before the program runs on it; with --eng, the engine
// file of the burn.
#ifndef TALVIRONESKA_INSPECT_CHECK_COMMAND_H_
#define TALVIRONESKA_INSPECT_CHECK_COMMAND_H_

#include "inspect/common/command_line.h"

// Runs the check on CALL's words: the exit status.
int check_main(const Invocation& call);

#endif  // TALVIRONESKA_INSPECT_CHECK_COMMAND_H_
