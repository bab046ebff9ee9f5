// talvironeska-inspect with no subcommand: the check of a case, or of one
// thrust data file, before the program runs on it; with --eng, the engine
// file of the burn.
#ifndef TALVIRONESKA_INSPECT_CHECK_COMMAND_H_
#define TALVIRONESKA_INSPECT_CHECK_COMMAND_H_

#include <string>

// The whole command line, ARGV[0] the program's name: the exit status.
int check_main(int argc, char** argv);

// The inspector's line on the standard error, "talvironeska-inspect: " and
// MESSAGE: the exit status of an unusable input.
int fail(const std::string& message);

// STATUS, unless the report on the standard output was lost on the way (a
// full disk, a closed stream): then a failure.
int after_report(int status);

#endif  // TALVIRONESKA_INSPECT_CHECK_COMMAND_H_
