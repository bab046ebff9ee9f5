#include "inspect/firing/curve.h"

#include <algorithm>

double curve_impulse(const Curve& c) {
  if (c.empty()) return 0.0;
  auto thrust = [&c](std::size_t i) { return c.F[i]; };
  return trapezoid_sum(c.t, 0, c.size() - 1, thrust, trapezoid(0.0, 0.0, c.t[0], c.F[0]));
}

double stamped_impulse(std::span<const double> t, std::span<const double> F, double from, double to, double Fcor) {
  auto raised = [Fcor](double f) { return f < Fcor ? Fcor : f; };
  double It = 0.0;
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i + 1] <= from || t[i] >= to) continue;
    const double t0 = std::max(t[i], from);
    const double t1 = std::min(t[i + 1], to);
    const double F0 = t0 == t[i] ? F[i] : interpolated(t[i], F[i], t[i + 1], F[i + 1], t0);
    const double F1 = t1 == t[i + 1] ? F[i + 1] : interpolated(t[i], F[i], t[i + 1], F[i + 1], t1);
    It += trapezoid(t0, raised(F0), t1, raised(F1));
  }
  return It;
}
