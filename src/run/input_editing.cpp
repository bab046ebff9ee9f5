#include "run/input_editing.h"

#include <string>

#include "core/trimmed.h"
#include "run/launcher.h"

void edit_general_data(const RunContext&) { launch("Notepad talvironeska_2p1_dados_geral.txt"); }

void edit_case_params(const RunContext& rc) { launch("notepad " + command_word(trimmed(rc.parameter_file_name))); }
