// talvironeska-inspect relatorio: the page of a case's results, its plot as
// a PNG, and the details it remembers.
#ifndef TALVIRONESKA_INSPECT_REPORT_COMMAND_H_
#define TALVIRONESKA_INSPECT_REPORT_COMMAND_H_

#include "inspect/common/command_line.h"

// Runs relatorio on CALL's words: the exit status.
int relatorio_main(const Invocation& call);

#endif  // TALVIRONESKA_INSPECT_REPORT_COMMAND_H_
