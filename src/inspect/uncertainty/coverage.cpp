#include "inspect/uncertainty/coverage.h"

#include <cmath>

namespace {

// t(0.975, n) for n = 1 to 29.
constexpr double kStudent975[] = {12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
                                  2.201,  2.179, 2.160, 2.145, 2.131, 2.120, 2.110, 2.101, 2.093, 2.086,
                                  2.080,  2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045};

}  // namespace

double coverage_factor(double dof) {
  if (!(dof < 30.0)) return 2.0;
  const int n = dof < 1.0 ? 1 : static_cast<int>(std::floor(dof));
  return kStudent975[n - 1];
}
