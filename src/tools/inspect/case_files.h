// A case's general data file and case parameter file, read the way the run
// reads them once the user has closed the editor.
#ifndef TALVIRONESKA_TOOLS_INSPECT_CASE_FILES_H_
#define TALVIRONESKA_TOOLS_INSPECT_CASE_FILES_H_

#include "core/run_context.h"

// Reads both files from the current directory into RC, then makes the
// program's own check of w. A missing file is the severe error 29, not
// created; every other error is the program's own.
void read_case_files(RunContext& rc);

#endif  // TALVIRONESKA_TOOLS_INSPECT_CASE_FILES_H_
