// Where a command's JSON document goes (--json ARQ) and the files it must
// never be written over; the one error document of a run that ends in exit 2.
#ifndef TALVIRONESKA_INSPECT_JSON_OUTPUT_H_
#define TALVIRONESKA_INSPECT_JSON_OUTPUT_H_

#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/common/command_line.h"
#include "io/severe_error.h"

// "-": the document goes to the standard output, the report to the standard error.
inline constexpr char kJsonToStandardOutput[] = "-";

struct JsonRun {
  std::string_view command;  // "check", "import", "series"
  std::string target;        // --json ARQ; empty when not asked
  // The run's inputs and other outputs, which the document never replaces.
  std::vector<std::filesystem::path> kept;
};

// The stream for the text report: the standard error when the document takes
// the standard output.
std::FILE* report_stream(const JsonRun& run);

// ARQ of the first "--json ARQ" among ARGS, the words after the command's
// name, or empty: the document of a command line that cannot be read.
std::string json_target_in(std::span<const std::string> args);

// The words of ARGS as paths, but the value of --json: what a command line
// that cannot be read may name as its inputs.
std::vector<std::filesystem::path> paths_in(std::span<const std::string> args);

// Why RUN's document must not be written: its file is one of run.kept under
// any name (a link, another spelling). Empty when it may be, and for "-".
std::string json_target_problem(const JsonRun& run);

// Writes BYTES to the output file TARGET as every output of the inspector
// is written: a device or a pipe straight; through a link, the file it
// leads to replaced, the link kept; else whole or not at all (a new file
// beside it, which then takes its name). False when it cannot be written.
bool write_output_file(const std::string& target, std::string_view bytes);

// Writes DOCUMENT where RUN asks: the standard output byte for byte; a file
// whole or not at all (through a link, the file it leads to); a device or a
// pipe straight. False with *PROBLEM, in Portuguese; true when no document
// was asked for.
bool write_json_document(const JsonRun& run, std::string_view document, std::string* problem);

// How a command that went through ends with STATUS: the document DOCUMENT
// where RUN asks for one (none when run.target is empty, and then DOCUMENT
// is not used). A report lost on the standard output, or a document that
// cannot be written, is exit status 2, with the error document "report-lost"
// in the first case.
int finish_with_json(const JsonRun& run, std::string_view document, int status);

// The error document (CODE, TEXT) of a run that ends in exit 2, written when
// RUN asks for one and may write it; a failure to write it goes on the
// standard error. Returns the exit status 2.
int json_error(const JsonRun& run, std::string_view code, std::string_view text);

// The program's error ERROR as fail_severe() tells it, and its error
// document, "severe-N": the exit status 2.
int json_severe(const JsonRun& run, const SevereError& error);

// What becomes of a command line read as LINE, as settled() has it; when it
// is refused, the error document "usage" too, where its words name one,
// written over none of the words nor KEPT.
std::optional<int> settled_with_json(CommandLine line, const Invocation& call, const std::string& problem,
                                     std::string_view command, std::span<const std::filesystem::path> kept = {});

#endif  // TALVIRONESKA_INSPECT_JSON_OUTPUT_H_
