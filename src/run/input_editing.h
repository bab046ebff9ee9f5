// The run's first two launches: the text editor on each input file before it
// is read, so the user can write or change it. Each is waited for, and its
// result is not examined: when the editor cannot be started, the file is read
// as it is on disk.
#ifndef TALVIRONESKA_RUN_INPUT_EDITING_H_
#define TALVIRONESKA_RUN_INPUT_EDITING_H_

#include "core/run_context.h"

// "Notepad talvironeska_2p1_dados_geral.txt", whether or not the file exists.
void edit_general_data(const RunContext& rc);

// "notepad " + the trimmed parameter file name as one word (command_word()).
void edit_case_params(const RunContext& rc);

#endif  // TALVIRONESKA_RUN_INPUT_EDITING_H_
