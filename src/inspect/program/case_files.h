// A case's general data file and case parameter file, read the way the run
// reads them once the user has closed the editor, and the files of a case.
#ifndef TALVIRONESKA_INSPECT_PROGRAM_CASE_FILES_H_
#define TALVIRONESKA_INSPECT_PROGRAM_CASE_FILES_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/run_context.h"

// Reads both files from the current directory into RC, then makes the
// program's own check of w. A missing file is the severe error 29, not
// created; every other error is the program's own.
void read_case_files(RunContext& rc);

// Every file of the case read into RC, as absolute paths from the current
// directory: the general data file and the plot script, then those of the
// parameter file, the thrust data file and the two result files whose names
// RC holds (a name not read yet is left out).
// The companion's files (companion_file_names) follow.
std::vector<std::filesystem::path> files_of_case(const RunContext& rc);

// The same without the companion's files: what the program reads and writes.
std::vector<std::filesystem::path> program_files_of_case(const RunContext& rc);

// The companion's own files in a case folder, each named from the trimmed
// case name as the program names its results: the import's report and
// document, the report page, its picture and its notes, the load cell's
// calibration. No command writes over them but the one that makes each.
inline constexpr const char* kImportReportSuffix = "_importacao.txt";
inline constexpr const char* kCalibrationSuffix = "_calibracao.cal";
inline constexpr const char* kImportJsonSuffix = "_importacao.json";
inline constexpr const char* kReportPageSuffix = "_relatorio.html";
inline constexpr const char* kReportPictureSuffix = "_relatorio.png";
inline constexpr const char* kReportNotesSuffix = "_relatorio.txt";
std::vector<std::string> companion_file_names(std::string_view case_name);

// The result files of the case read into RC that are, under some name or
// link, one of its inputs (the general data file, the plot script, the case
// parameter file, the thrust data file) or the other result file: the run
// stops on them with the error 30 before writing anything. One warning each.
std::vector<std::string> outputs_over_inputs(const RunContext& rc);

#endif  // TALVIRONESKA_INSPECT_PROGRAM_CASE_FILES_H_
