// The series report: the firings, the figures of each with their
// statistics, and the certification checks, in the style of the program's
// summary report (Windows-1252, CR LF).
#ifndef TALVIRONESKA_INSPECT_SERIES_REPORT_H_
#define TALVIRONESKA_INSPECT_SERIES_REPORT_H_

#include <cstddef>
#include <span>
#include <string>

#include "inspect/series/firing.h"
#include "inspect/series/series.h"

// The mean curve as written to the engine file.
struct MeanCurveNote {
  std::string file;  // the engine file's name as the report shows it
  std::size_t points = 0;
  double It = 0.0;  // its impulse, N s
};

std::string series_report_text(std::span<const Firing> firings, const SeriesSummary& summary, const MeanCurveNote& eng);

#endif  // TALVIRONESKA_INSPECT_SERIES_REPORT_H_
