#include "inspect/firing/uniform_grid.h"

#include <algorithm>
#include <cmath>

namespace {

double interpolated(const ThrustRecord& a, const ThrustRecord& b, double t) {
  return a.F + (b.F - a.F) * ((t - a.t) / (b.t - a.t));
}

}  // namespace

std::vector<ThrustRecord> resample(std::span<const ThrustRecord> r, std::int32_t w) {
  std::vector<ThrustRecord> grid;
  if (r.empty()) return grid;
  const double rate = w;
  const double last = r.back().t;
  auto k_end = static_cast<std::uint64_t>(std::floor(last * rate)) + 1;
  while (k_end > 1 && static_cast<double>(k_end - 1) / rate > last) --k_end;
  grid.reserve(k_end);
  std::size_t j = 0;
  for (std::uint64_t k = 0; k < k_end; ++k) {
    // The time from the index, never by adding steps: no rounding builds up.
    const double t = static_cast<double>(k) / rate;
    while (j + 2 < r.size() && r[j + 1].t <= t) ++j;
    const double F = r.size() == 1 ? r[0].F : t >= r[j + 1].t ? r[j + 1].F : interpolated(r[j], r[j + 1], t);
    grid.push_back({t, F, static_cast<std::uint32_t>(k + 1)});
  }
  return grid;
}

double stamped_impulse(std::span<const ThrustRecord> r, double from, double to, double Fcor) {
  auto raised = [Fcor](double F) { return F < Fcor ? Fcor : F; };
  double It = 0.0;
  for (std::size_t i = 0; i + 1 < r.size(); ++i) {
    const ThrustRecord& a = r[i];
    const ThrustRecord& b = r[i + 1];
    if (b.t <= from || a.t >= to) continue;
    const double t0 = std::max(a.t, from);
    const double t1 = std::min(b.t, to);
    const double F0 = t0 == a.t ? a.F : interpolated(a, b, t0);
    const double F1 = t1 == b.t ? b.F : interpolated(a, b, t1);
    It += (raised(F0) + raised(F1)) / 2.0 * (t1 - t0);
  }
  return It;
}
