// A thrust curve: time stamps and thrusts in two arrays of one length, and
// the trapezoid over its stamps. Every curve the companion holds has this
// shape, from a logger's ten million records to an engine file's 32 points.
#ifndef TALVIRONESKA_INSPECT_FIRING_CURVE_H_
#define TALVIRONESKA_INSPECT_FIRING_CURVE_H_

#include <cstddef>
#include <span>
#include <vector>

struct Curve {
  std::vector<double> t;  // s, in order
  std::vector<double> F;  // N, F[i] at t[i]
  std::size_t size() const { return t.size(); }
  bool empty() const { return t.empty(); }
  void add(double time, double thrust) {
    t.push_back(time);
    F.push_back(thrust);
  }
};

// The thrust at T on the line through (TA, FA) and (TB, FB), TA < TB.
inline double interpolated(double ta, double Fa, double tb, double Fb, double t) {
  return Fa + (Fb - Fa) * ((t - ta) / (tb - ta));
}

// The impulse of one step from (T0, F0) to (T1, F1) by the trapezoid (N s):
// nothing when the step does not go forward. Every impulse over time stamps
// is a sum of these.
inline double trapezoid(double t0, double F0, double t1, double F1) {
  return t1 > t0 ? (F0 + F1) / 2.0 * (t1 - t0) : 0.0;
}

// The weight of record I in the trapezoid over records [FROM, TO] of the
// stamps T (s): half of each step next to it within them, a step that does
// not go forward weighing nothing, as trapezoid() counts it. A sum of
// weight x thrust over the records is their trapezoid_sum().
inline double trapezoid_weight(std::span<const double> t, std::size_t from, std::size_t to, std::size_t i) {
  const auto forward = [&](std::size_t k) { return t[k + 1] > t[k] ? t[k + 1] - t[k] : 0.0; };
  return 0.5 * ((i > from ? forward(i - 1) : 0.0) + (i < to ? forward(i) : 0.0));
}

// AREA plus the trapezoids over records [FROM, TO] of the stamps T, the
// thrust of record I being THRUST(I) (above a zero, raised to Fcor ...),
// each read once. REQUIRES: FROM <= TO < t.size().
template <class Thrust>
double trapezoid_sum(std::span<const double> t, std::size_t from, std::size_t to, Thrust thrust, double area = 0.0) {
  double here = thrust(from);
  for (std::size_t i = from; i < to; ++i) {
    const double next = thrust(i + 1);
    area += trapezoid(t[i], here, t[i + 1], next);
    here = next;
  }
  return area;
}

// The impulse of C with the curve starting from (0, 0), as an engine file's
// curve does.
double curve_impulse(const Curve& c);

// The trapezoid over the measured time stamps from FROM to TO, the records
// at the ends cut by linear interpolation, each thrust raised to FCOR first.
double stamped_impulse(std::span<const double> t, std::span<const double> F, double from, double to, double Fcor);

#endif  // TALVIRONESKA_INSPECT_FIRING_CURVE_H_
