// Statistics of one figure over the firings of a series.
#ifndef TALVIRONESKA_INSPECT_SERIES_STATS_H_
#define TALVIRONESKA_INSPECT_SERIES_STATS_H_

#include <span>

struct FigureStats {
  double mean = 0.0;
  double sd = 0.0;             // sample standard deviation (n - 1); NaN for one value
  double sd_population = 0.0;  // population standard deviation (n)
  double cv = 0.0;             // sd / mean
};

// REQUIRES: at least one value. Two passes (mean, then squared deviations),
// so a large common offset costs no precision.
FigureStats figure_stats(std::span<const double> values);

#endif  // TALVIRONESKA_INSPECT_SERIES_STATS_H_
