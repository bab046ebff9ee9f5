#include "tools/inspect/sampling.h"

#include <algorithm>
#include <cmath>
#include <limits>

Sampling measure_sampling(std::span<const ThrustRecord> r, int w) {
  Sampling s;
  if (r.size() < 2) return s;
  const double gap_step = 1.5 / static_cast<double>(w);
  std::vector<double> steps(r.size() - 1);
  for (std::size_t i = 0; i + 1 < r.size(); ++i) {
    const double d = r[i + 1].t - r[i].t;
    steps[i] = d;
    if (d == 0.0) ++s.repeated;
    if (d < 0.0) ++s.backward;
    if (d > gap_step) {
      if (s.gaps++ == 0) s.first_gap_time = r[i].t;
      s.largest_gap = std::max(s.largest_gap, d);
    }
  }
  s.steps = steps.size();
  const auto [low, high] = std::minmax_element(steps.begin(), steps.end());
  s.min = *low;
  s.max = *high;
  auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  s.median = *middle;
  if (steps.size() % 2 == 0) s.median = (s.median + *std::max_element(steps.begin(), middle)) / 2.0;
  return s;
}

double measured_impulse(std::span<const ThrustRecord> r, const std::vector<std::size_t>& kept, double Fcor,
                        double tare) {
  auto thrust = [&](std::size_t i) {
    const double F = r[i].F - tare;
    return F < Fcor ? Fcor : F;
  };
  double It = 0.0;
  for (std::size_t k = 1; k < kept.size(); ++k) {
    It += (thrust(kept[k]) + thrust(kept[k - 1])) / 2.0 * (r[kept[k]].t - r[kept[k - 1]].t);
  }
  return It;
}

int rate_from_median(double median_step) {
  if (!(median_step > 0.0)) return 0;
  const double w = std::round(1.0 / median_step);
  return w > std::numeric_limits<int>::max() ? 0 : static_cast<int>(w);
}
