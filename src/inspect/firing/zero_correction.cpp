#include "inspect/firing/zero_correction.h"

double zero_at(const ZeroCorrection& z, double t) {
  if (t <= z.start) return z.before;
  if (t >= z.end) return z.after;
  return z.before + (z.after - z.before) * ((t - z.start) / (z.end - z.start));
}

void apply_zero_correction(std::span<ThrustRecord> records, const ZeroCorrection& zero) {
  if (zero.before == zero.after) {
    for (ThrustRecord& r : records) r.F -= zero.before;
    return;
  }
  for (ThrustRecord& r : records) r.F -= zero_at(zero, r.t);
}
