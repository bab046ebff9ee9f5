#include "inspect/series/stats.h"

#include <cmath>
#include <limits>

FigureStats figure_stats(std::span<const double> values) {
  FigureStats s;
  const double n = static_cast<double>(values.size());
  double sum = 0.0;
  for (double v : values) sum += v;
  s.mean = sum / n;
  double squares = 0.0;
  for (double v : values) squares += (v - s.mean) * (v - s.mean);
  s.sd_population = std::sqrt(squares / n);
  s.sd = values.size() > 1 ? std::sqrt(squares / (n - 1.0)) : std::numeric_limits<double>::quiet_NaN();
  s.cv = s.sd / s.mean;
  return s;
}
