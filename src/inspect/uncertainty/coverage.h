// The coverage factor of an expanded uncertainty at 95 %: 2 from 30
// effective degrees of freedom on, Student's t below, and the effective
// degrees of freedom of a sum of terms (Welch-Satterthwaite).
#ifndef TALVIRONESKA_INSPECT_UNCERTAINTY_COVERAGE_H_
#define TALVIRONESKA_INSPECT_UNCERTAINTY_COVERAGE_H_

#include <limits>

// Degrees of freedom of a term known exactly, or taken as such (a bound
// from a data sheet, a rectangular distribution).
inline constexpr double kInfiniteDof = std::numeric_limits<double>::infinity();

// k for 95 % with DOF effective degrees of freedom: t(0.975, floor(DOF))
// below 30, else 2. DOF below 1 counts as 1.
double coverage_factor(double dof);

// Accumulates u^4 / dof over terms: the effective degrees of freedom of
// their sum, u_c^4 / sum(u_i^4 / dof_i).
struct EffectiveDof {
  double sum = 0.0;
  void add(double u, double dof) {
    if (dof < kInfiniteDof && u > 0.0) sum += u * u * u * u / dof;
  }
  double of(double combined_u) const {
    return sum > 0.0 ? combined_u * combined_u * combined_u * combined_u / sum : kInfiniteDof;
  }
};

#endif  // TALVIRONESKA_INSPECT_UNCERTAINTY_COVERAGE_H_
