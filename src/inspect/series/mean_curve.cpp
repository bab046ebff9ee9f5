#include "inspect/series/mean_curve.h"

#include <algorithm>
#include <cmath>

std::vector<CurvePoint> mean_curve(std::span<const std::span<const CurvePoint>> curves, double step) {
  double first = INFINITY;
  double last = -INFINITY;
  for (const auto& c : curves) {
    if (c.empty()) continue;
    first = std::min(first, c.front().t);
    last = std::max(last, c.back().t);
  }
  if (!(first <= last)) return {};
  const auto count = static_cast<std::size_t>(std::floor((last - first) / step)) + 1;
  std::vector<CurvePoint> mean(count);
  for (std::size_t k = 0; k < count; ++k) mean[k] = {first + static_cast<double>(k) * step, 0.0};
  // Each curve walks the grid once: its segment index only moves forward.
  for (const auto& c : curves) {
    std::size_t i = 0;
    for (CurvePoint& point : mean) {
      const double t = point.t;
      if (c.empty() || t < c.front().t || t > c.back().t) continue;
      while (i + 1 < c.size() && c[i + 1].t < t) ++i;
      const CurvePoint& a = c[i];
      const CurvePoint& b = i + 1 < c.size() ? c[i + 1] : c[i];
      point.F += b.t > a.t ? a.F + (b.F - a.F) * (t - a.t) / (b.t - a.t) : a.F;
    }
  }
  const auto n = static_cast<double>(curves.size());
  for (CurvePoint& point : mean) point.F /= n;
  return mean;
}

std::vector<CurvePoint> eng_polyline(const std::vector<CurvePoint>& mean, double step) {
  std::vector<CurvePoint> p{{0.0, 0.0}};
  if (mean.empty()) return p;
  const double origin = mean.front().t - step;
  for (const CurvePoint& point : mean) p.push_back({point.t - origin, std::max(point.F, 0.0)});
  if (p.back().F != 0.0) p.push_back({p.back().t + step, 0.0});
  return p;
}

void add_thinned_point(ThinnedCurve& curve, double t, double F) {
  curve.sum.t += t;
  curve.sum.F += F;
  if (++curve.in_sum == curve.bucket) finish_thinned_curve(curve);
}

void finish_thinned_curve(ThinnedCurve& curve) {
  if (curve.in_sum == 0) return;
  const auto n = static_cast<double>(curve.in_sum);
  curve.points.push_back({curve.sum.t / n, curve.sum.F / n});
  curve.sum = {0.0, 0.0};
  curve.in_sum = 0;
}
