// The command line of talvironeska-inspect serie.
#ifndef TALVIRONESKA_INSPECT_SERIES_OPTIONS_H_
#define TALVIRONESKA_INSPECT_SERIES_OPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "inspect/common/command_line.h"
#include "inspect/engine/engine_options.h"
#include "inspect/series/csv.h"
#include "inspect/uncertainty/budget.h"

// The engine files' options are those of EngineRequest: --eng empty is
// serie.eng in the folder, written when the motor's sizes are given.
struct SeriesOptions : EngineRequest, StandFigures {
  std::vector<std::string> firings;  // case directories or thrust data files
  std::int32_t rate = 0;             // --rate HZ, for the thrust data files
  double M = 0.0;                    // --massa KG, for the thrust data files
  std::string folder = ".";          // --saida DIR
  std::string reference_file;        // --referencia FILE: a published curve to compare the mean with
  std::string json_file;             // --json FILE; "-" for the standard output
  CsvDialect dialect = CsvDialect::portuguese;
  bool inverted = false;  // --inverter: every firing's thrust is read mirrored
};

// The series' command line. Beyond the common rules it refuses fewer than
// two firings, and engine files asked for without the motor's sizes.
// Whether the engine files are written: --eng, --rse or the motor's sizes given.
bool series_writes_engine(const SeriesOptions& o);

extern const CommandLineRules<SeriesOptions> kSeriesCommandLine;

extern const CommandText kSeriesText;

#endif  // TALVIRONESKA_INSPECT_SERIES_OPTIONS_H_
