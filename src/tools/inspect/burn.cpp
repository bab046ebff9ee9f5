#include "tools/inspect/burn.h"

namespace {

constexpr double kBridgedShare = 0.01;

// The time where the thrust crosses LEVEL between records a and b.
double crossing(const ThrustRecord& a, const ThrustRecord& b, double level) {
  if (b.F == a.F) return b.t;
  return a.t + (level - a.F) / (b.F - a.F) * (b.t - a.t);
}

}  // namespace

std::optional<Burn> find_burn(std::span<const ThrustRecord> r) {
  const std::size_t n = r.size();
  if (n < 2) return std::nullopt;
  Burn b;
  for (std::size_t i = 1; i < n; ++i) {
    if (r[i].F > r[b.peak].F) b.peak = i;
  }
  b.Fmax = r[b.peak].F;
  if (!(b.Fmax > 0.0)) return std::nullopt;
  b.threshold = kBurnThresholdShare * b.Fmax;
  const double level = b.threshold;
  auto above = [&](std::size_t i) { return r[i].F >= level; };

  std::size_t s = b.peak;
  while (s > 0 && above(s - 1)) --s;
  std::size_t e = b.peak;
  while (e + 1 < n && above(e + 1)) ++e;
  const double bridge = kBridgedShare * (r[e + 1 < n ? e + 1 : e].t - r[s].t);
  for (;;) {  // earlier runs closer than the bridge
    std::size_t k = s;
    while (k > 0 && !above(k - 1) && r[s].t - r[k - 1].t <= bridge) --k;
    if (k == 0 || !above(k - 1) || r[s].t - r[k - 1].t > bridge) break;
    s = k - 1;
    while (s > 0 && above(s - 1)) --s;
  }
  for (;;) {  // later runs closer than the bridge
    std::size_t k = e;
    while (k + 1 < n && !above(k + 1) && r[k + 1].t - r[e].t <= bridge) ++k;
    if (k + 1 >= n || !above(k + 1) || r[k + 1].t - r[e].t > bridge) break;
    e = k + 1;
    while (e + 1 < n && above(e + 1)) ++e;
  }
  b.first = s;
  b.last = e;
  b.ends_in_file = e + 1 < n;

  b.start = s > 0 ? crossing(r[s - 1], r[s], level) : r[s].t;
  b.end = b.ends_in_file ? crossing(r[e], r[e + 1], level) : r[e].t;
  b.duration = b.end - b.start;
  double It = s > 0 ? (r[s].F + level) / 2.0 * (r[s].t - b.start) : 0.0;
  for (std::size_t i = s; i < e; ++i) It += (r[i].F + r[i + 1].F) / 2.0 * (r[i + 1].t - r[i].t);
  if (b.ends_in_file) It += (r[e].F + level) / 2.0 * (b.end - r[e].t);
  b.It = It;
  b.Fmed = b.duration > 0.0 ? It / b.duration : 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    if ((i < s || i > e) && above(i)) ++b.outside;
  }
  return b;
}

double suggested_ti(std::span<const ThrustRecord> records, const Burn& burn) { return records[burn.first].t; }

double suggested_tf(std::span<const ThrustRecord> records, const Burn& burn) {
  return records[burn.ends_in_file ? burn.last + 1 : burn.last].t;
}
