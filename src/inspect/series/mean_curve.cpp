#include "inspect/series/mean_curve.h"

#include <algorithm>
#include <cmath>

Curve mean_curve(std::span<const Curve* const> curves, double step) {
  double first = INFINITY;
  double last = -INFINITY;
  for (const Curve* c : curves) {
    if (c->empty()) continue;
    first = std::min(first, c->t.front());
    last = std::max(last, c->t.back());
  }
  if (!(first <= last)) return {};
  const auto count = static_cast<std::size_t>(std::floor((last - first) / step)) + 1;
  Curve mean{std::vector<double>(count), std::vector<double>(count, 0.0)};
  for (std::size_t k = 0; k < count; ++k) mean.t[k] = first + static_cast<double>(k) * step;
  // Each curve walks the grid once: its segment index only moves forward.
  for (const Curve* curve : curves) {
    const Curve& c = *curve;
    std::size_t i = 0;
    for (std::size_t k = 0; k < count; ++k) {
      const double t = mean.t[k];
      if (c.empty() || t < c.t.front() || t > c.t.back()) continue;
      while (i + 1 < c.size() && c.t[i + 1] < t) ++i;
      const std::size_t b = i + 1 < c.size() ? i + 1 : i;
      mean.F[k] += c.t[b] > c.t[i] ? c.F[i] + (c.F[b] - c.F[i]) * (t - c.t[i]) / (c.t[b] - c.t[i]) : c.F[i];
    }
  }
  const auto n = static_cast<double>(curves.size());
  for (double& F : mean.F) F /= n;
  return mean;
}

Curve eng_polyline(const Curve& mean, double step) {
  Curve p{{0.0}, {0.0}};
  if (mean.empty()) return p;
  const double origin = mean.t.front() - step;
  for (std::size_t k = 0; k < mean.size(); ++k) p.add(mean.t[k] - origin, std::max(mean.F[k], 0.0));
  if (p.F.back() != 0.0) p.add(p.t.back() + step, 0.0);
  return p;
}

void add_thinned_point(ThinnedCurve& curve, double t, double F) {
  curve.sum_t += t;
  curve.sum_F += F;
  if (++curve.in_sum == curve.bucket) finish_thinned_curve(curve);
}

void finish_thinned_curve(ThinnedCurve& curve) {
  if (curve.in_sum == 0) return;
  const auto n = static_cast<double>(curve.in_sum);
  curve.points.add(curve.sum_t / n, curve.sum_F / n);
  curve.sum_t = 0.0;
  curve.sum_F = 0.0;
  curve.in_sum = 0;
}
