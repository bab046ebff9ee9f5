// The series report: the firings, the figures of each with their
// statistics, and the certification checks, in the style of the program's
// summary report (Windows-1252, CR LF).
#ifndef TALVIRONESKA_INSPECT_SERIES_REPORT_H_
#define TALVIRONESKA_INSPECT_SERIES_REPORT_H_

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "inspect/series/firing.h"
#include "inspect/series/series.h"

// The mean curve as written to the engine file.
struct MeanCurveNote {
  std::string file;  // the engine file's name as the report shows it
  std::size_t points = 0;
  double It = 0.0;  // its impulse, N s
};

// "ensaio N", counted from 1 (INDEX from 0).
std::string firing_label(std::size_t index);
// The firings WHICH as "ensaio 2 (nome), ensaio 5 (nome)" (Windows-1252).
std::string firings_named(std::span<const Firing> firings, const std::vector<std::size_t>& which);
// A check's outcome and its label, in Windows-1252.
std::string outcome_text(const Check& c, std::span<const Firing> firings, bool model_motor);
const char* check_label(CheckKind kind);

std::string series_report_text(std::span<const Firing> firings, const SeriesSummary& summary, const MeanCurveNote& eng);

#endif  // TALVIRONESKA_INSPECT_SERIES_REPORT_H_
