#include "inspect/firing/zero_correction.h"

#include <algorithm>

double zero_rise(const ZeroCorrection& z, double from, double to) {
  if (!(to > from) || z.before == z.after) return 0.0;
  // The zero is straight between these times: the trapezoid is exact.
  double times[] = {from, std::clamp(z.start, from, to), std::clamp(z.end, from, to), to};
  double area = 0.0;
  for (int k = 0; k < 3; ++k) {
    area += (zero_at(z, times[k]) + zero_at(z, times[k + 1]) - 2.0 * z.before) / 2.0 * (times[k + 1] - times[k]);
  }
  return area;
}

void apply_zero_correction(std::span<const double> t, std::span<double> F, const ZeroCorrection& zero) {
  if (zero.before == zero.after) {
    for (double& f : F) f -= zero.before;
    return;
  }
  for (std::size_t i = 0; i < F.size(); ++i) F[i] -= zero_at(zero, t[i]);
}
