// The burn's share of a time window: the chosen event's records with the
// tail that runs to the end of the log, and what a window [ti, tf] leaves
// out of their impulse, before ti and after tf.
#ifndef TALVIRONESKA_INSPECT_FIRING_WINDOW_SHARE_H_
#define TALVIRONESKA_INSPECT_FIRING_WINDOW_SHARE_H_

#include <cstddef>
#include <span>

struct FiringAnalysis;

// Records [first, last] and one on either side (when there is one), and
// their impulse above the burn's zero by the measured stamps.
struct BurnStretch {
  std::size_t first = 0;
  std::size_t last = 0;
  double zero = 0.0;  // N, the burn's zero before ignition
  double It = 0.0;    // N s
};

// The stretch of records (T, F) over [FIRST, LAST] above ZERO.
// REQUIRES: FIRST <= LAST < t.size() == F.size().
BurnStretch burn_stretch(std::span<const double> t, std::span<const double> F, std::size_t first, std::size_t last,
                         double zero);

struct LeftOut {
  double before = 0.0;  // N s, before ti
  double after = 0.0;   // N s, after tf
  double total = 0.0;   // N s, of the whole stretch
};

// What the window [TI, TF] (TI <= TF) leaves out of the stretch of the
// firing A found in records (T, F); nothing without a burn. A step across
// ti or tf counts the share of its trapezoid that lies outside, in
// proportion to time.
LeftOut window_left_out(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a, double ti,
                        double tf);

#endif  // TALVIRONESKA_INSPECT_FIRING_WINDOW_SHARE_H_
