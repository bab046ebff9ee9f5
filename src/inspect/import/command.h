// talvironeska-inspect importar: a logger's file turned into a case
// directory that the program runs as it is.
#ifndef TALVIRONESKA_INSPECT_IMPORT_COMMAND_H_
#define TALVIRONESKA_INSPECT_IMPORT_COMMAND_H_

#include "inspect/common/command_line.h"

// Writes the report on stdout and an error on
// stderr; returns 0 when the case was written, 1 when it was written with
// warnings, 2 when nothing was written.
int importar_main(const Invocation& call);

#endif  // TALVIRONESKA_INSPECT_IMPORT_COMMAND_H_
