#include "tools/inspect/zero_offset.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kMarginShare = 0.10;
constexpr std::size_t kMinRecords = 10;

// The records before LIMIT (BEFORE) or after it.
std::optional<QuietStretch> stretch_of(std::span<const ThrustRecord> r, bool before, double limit) {
  std::vector<double> F;
  QuietStretch s;
  bool any = false;
  for (const ThrustRecord& record : r) {
    if (before ? !(record.t < limit) : !(record.t > limit)) continue;
    if (!any) s.from = record.t;
    s.to = record.t;
    any = true;
    F.push_back(record.F);
  }
  if (F.size() < kMinRecords) return std::nullopt;
  double low = -INFINITY;
  double high = INFINITY;
  for (int round = 0; round < 3; ++round) {
    double sum = 0.0;
    std::size_t n = 0;
    for (double f : F) {
      if (f < low || f > high) continue;
      sum += f;
      ++n;
    }
    const double mean = sum / static_cast<double>(n);
    double squares = 0.0;
    for (double f : F) {
      if (f < low || f > high) continue;
      squares += (f - mean) * (f - mean);
    }
    s.count = n;
    s.mean = mean;
    s.noise = std::sqrt(squares / static_cast<double>(n));
    // At least 96 % of the records lie within 5 widths (Chebyshev), so n never drops to zero.
    low = mean - 5.0 * s.noise;
    high = mean + 5.0 * s.noise;
  }
  return s;
}

}  // namespace

std::optional<QuietStretch> before_ignition(std::span<const ThrustRecord> r, const Burn& burn) {
  const double limit = burn.start - kMarginShare * burn.duration;
  return stretch_of(r, true, limit);
}

std::optional<QuietStretch> after_burnout(std::span<const ThrustRecord> r, const Burn& burn) {
  if (!burn.ends_in_file) return std::nullopt;
  const double limit = burn.end + kMarginShare * burn.duration;
  return stretch_of(r, false, limit);
}

bool offset_is_clear(const QuietStretch& stretch, double Fmax) {
  const double offset = std::fabs(stretch.mean);
  return offset > 3.0 * stretch.noise && offset > 0.005 * Fmax;
}
