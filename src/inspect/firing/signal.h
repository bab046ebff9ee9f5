// The thrust a firing is measured on: each record above the zero at its
// time (a constant, or a line from the zero before ignition to the zero
// after burn-out), with readings set aside as spikes read as the line
// between the records around them.
#ifndef TALVIRONESKA_INSPECT_FIRING_SIGNAL_H_
#define TALVIRONESKA_INSPECT_FIRING_SIGNAL_H_

#include <algorithm>
#include <cstddef>
#include <span>

#include "inspect/firing/curve.h"
#include "inspect/firing/zero_correction.h"

struct Signal {
  std::span<const double> t;
  std::span<const double> F;
  ZeroCorrection zero;                  // before == after: one constant zero
  std::span<const std::size_t> spikes;  // records set aside, in increasing order
};

// A signal of records (T, F) above the constant ZERO, nothing set aside.
Signal constant_zero(std::span<const double> t, std::span<const double> F, double zero);

bool set_aside(const Signal& s, std::size_t i);

// The thrust of record I above the zero.
double spliced(const Signal& s, std::size_t i);
inline double above(const Signal& s, std::size_t i) {
  // A constant zero needs no time: the common case reads one array.
  if (s.spikes.empty() && s.zero.before == s.zero.after) return s.F[i] - s.zero.before;
  if (!s.spikes.empty() && set_aside(s, i)) return spliced(s, i);
  return s.F[i] - zero_at(s.zero, s.t[i]);
}

// The trapezoid of S over records [FROM, TO] on their measured stamps (N s),
// by trapezoid_sum.
double stamped_area(const Signal& s, std::size_t from, std::size_t to);

#endif  // TALVIRONESKA_INSPECT_FIRING_SIGNAL_H_
