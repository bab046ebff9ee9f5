// The general data file: names the case parameter file.
#ifndef TALVIRONESKA_INPUT_GENERAL_DATA_H_
#define TALVIRONESKA_INPUT_GENERAL_DATA_H_

#include "core/run_context.h"

inline constexpr char kGeneralDataFileName[] = "talvironeska_2p1_dados_geral.txt";

// Reads the first value of the general data file (unit 5) into the parameter
// file name; the rest of the file is ignored.
void read_general_data(RunContext& rc);

#endif  // TALVIRONESKA_INPUT_GENERAL_DATA_H_
