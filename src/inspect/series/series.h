// A series of firings of one motor type: the statistics of each figure, the
// designation from the means and the certification checks.
#ifndef TALVIRONESKA_INSPECT_SERIES_SERIES_H_
#define TALVIRONESKA_INSPECT_SERIES_SERIES_H_

#include <span>
#include <string>

#include "inspect/series/checks.h"
#include "inspect/series/firing.h"
#include "inspect/series/stats.h"

struct SeriesSummary {
  // The program's figures.
  FigureStats It, Fmed, tq, Fmax, tmax, Is;
  // The standard figures: burn time, impulse, average thrust.
  FigureStats duration, It5, Fmed5;
  std::string designation;  // from the mean standard impulse and average thrust
  Certification certification;
};

// REQUIRES: at least one firing.
SeriesSummary summarize(std::span<const Firing> firings);

#endif  // TALVIRONESKA_INSPECT_SERIES_SERIES_H_
