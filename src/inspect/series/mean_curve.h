// The mean thrust curve of a series: the firings' curves, each on its own
// time steps, averaged on one time grid.
#ifndef TALVIRONESKA_INSPECT_SERIES_MEAN_CURVE_H_
#define TALVIRONESKA_INSPECT_SERIES_MEAN_CURVE_H_

#include <cstddef>
#include <span>

#include "inspect/firing/curve.h"

// The most points a firing's curve keeps in a series: enough for the mean
// curve, the engine file and the picture, whatever the rate of the log.
inline constexpr std::size_t kSeriesCurvePoints = 20000;

// Adds point (T, F) of a curve on a uniform grid to one kept in *CURVE,
// the mean of each run of BUCKET points (the last run may be shorter): a
// curve of N points keeps ceil(N / BUCKET). The caller ends the last run
// with finish_thinned_curve.
struct ThinnedCurve {
  Curve points;
  std::size_t bucket = 1;
  double sum_t = 0.0;
  double sum_F = 0.0;
  std::size_t in_sum = 0;
};
void add_thinned_point(ThinnedCurve& curve, double t, double F);
void finish_thinned_curve(ThinnedCurve& curve);

// The mean of CURVES (each with rising times, its thrust taken as zero
// outside its own span and linear between its points) at every STEP (> 0)
// from the earliest point of any curve to the latest. Each curve's impulse
// is kept but for half a step at either end of it.
Curve mean_curve(std::span<const Curve* const> curves, double step);

// MEAN as the engine file's polyline: time from one STEP before its first
// point, where every curve is still zero, starting at (0, 0) and ending at
// zero thrust.
Curve eng_polyline(const Curve& mean, double step);

#endif  // TALVIRONESKA_INSPECT_SERIES_MEAN_CURVE_H_
