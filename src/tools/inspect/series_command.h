// talvironeska-inspect serie: certification statistics over several firings
// of one motor, with the report, the CSV table, the mean curve's engine file
// and the picture of every curve.
#ifndef TALVIRONESKA_TOOLS_INSPECT_SERIES_COMMAND_H_
#define TALVIRONESKA_TOOLS_INSPECT_SERIES_COMMAND_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tools/inspect/series_csv.h"

struct SeriesOptions {
  bool help = false;
  std::vector<std::string> firings;  // case directories or thrust data files
  std::int32_t rate = 0;             // --rate HZ, for the thrust data files
  double M = 0.0;                    // --massa KG, for the thrust data files
  std::string folder = ".";          // --saida DIR
  std::string eng_file;              // --eng FILE; empty: serie.eng in the folder
  CsvDialect dialect = CsvDialect::portuguese;
};

// ARGS are the arguments after "serie". False with *PROBLEM, a Portuguese
// phrase, for an unknown option, a bad value or fewer than two firings.
bool parse_series_options(const std::vector<std::string>& args, SeriesOptions* options, std::string* problem);

const char* series_usage_text();

// Runs the command. Exit status: 0 when every check passed and every file was
// written, 1 when a check failed or the picture could not be drawn, 2 when a
// firing cannot be read (nothing is written then) or a file cannot be written.
int series_main(const std::vector<std::string>& args);

#endif  // TALVIRONESKA_TOOLS_INSPECT_SERIES_COMMAND_H_
