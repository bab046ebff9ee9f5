// The load cell's zero taken off the thrust: a tare, and optionally a drift
// from the zero before ignition to the zero after burn-out.
#ifndef TALVIRONESKA_INSPECT_FIRING_ZERO_CORRECTION_H_
#define TALVIRONESKA_INSPECT_FIRING_ZERO_CORRECTION_H_

#include <span>

struct ZeroCorrection {
  double before = 0.0;  // N, taken off up to `start`
  double after = 0.0;   // N, taken off from `end` on; equal to `before` without drift
  double start = 0.0;   // s: between start and end the zero goes linearly
  double end = 0.0;     //   from `before` to `after` (the burn)
};

// The zero at time T.
inline double zero_at(const ZeroCorrection& z, double t) {
  if (z.before == z.after || t <= z.start) return z.before;
  if (t >= z.end) return z.after;
  return z.before + (z.after - z.before) * ((t - z.start) / (z.end - z.start));
}

// The area between the zero and its value before, from FROM to TO (N s):
// what a shifting zero takes off an impulse over that time.
double zero_rise(const ZeroCorrection& zero, double from, double to);

// Takes the zero off every thrust F[i] of the records at times T[i].
void apply_zero_correction(std::span<const double> t, std::span<double> F, const ZeroCorrection& zero);

#endif  // TALVIRONESKA_INSPECT_FIRING_ZERO_CORRECTION_H_
