// The command line of talvironeska-inspect serie.
#ifndef TALVIRONESKA_INSPECT_SERIES_OPTIONS_H_
#define TALVIRONESKA_INSPECT_SERIES_OPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "inspect/series/csv.h"

struct SeriesOptions {
  bool help = false;
  std::vector<std::string> firings;  // case directories or thrust data files
  std::int32_t rate = 0;             // --rate HZ, for the thrust data files
  double M = 0.0;                    // --massa KG, for the thrust data files
  std::string folder = ".";          // --saida DIR
  std::string eng_file;              // --eng FILE; empty: serie.eng in the folder
  std::string json_file;             // --json FILE; "-" for the standard output
  CsvDialect dialect = CsvDialect::portuguese;
};

// ARGS are the arguments after "serie". False with *PROBLEM, a Portuguese
// phrase, for an unknown option, a bad value or fewer than two firings.
bool parse_series_options(const std::vector<std::string>& args, SeriesOptions* options, std::string* problem);

const char* series_usage_text();

#endif  // TALVIRONESKA_INSPECT_SERIES_OPTIONS_H_
