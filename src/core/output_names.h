// The names of the two result files, formed from the trimmed case name.
#ifndef TALVIRONESKA_CORE_OUTPUT_NAMES_H_
#define TALVIRONESKA_CORE_OUTPUT_NAMES_H_

#include <string>

#include "core/run_context.h"
#include "core/trimmed.h"

// The summary report: the trimmed case name followed by "_saida_A.txt".
inline std::string report_file_name(const RunContext& rc) {
  return std::string(trimmed(rc.case_name)) + "_saida_A.txt";
}

// The curve data file: the trimmed case name followed by "_saida_B.txt".
inline std::string curve_file_name(const RunContext& rc) { return std::string(trimmed(rc.case_name)) + "_saida_B.txt"; }

#endif  // TALVIRONESKA_CORE_OUTPUT_NAMES_H_
