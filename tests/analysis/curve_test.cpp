#include "analysis/curve.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "io/severe_error.h"

TEST(CurveArrays, SizeLimits) {
  static const struct {
    std::int32_t nmax;
    int error;
  } cases[] = {
      {0, 0}, {-1, 0}, {1, 0}, {536870911, 0}, {536870912, kErrArraySizeOverflow}, {INT32_MAX, kErrArraySizeOverflow}};
  for (const auto& c : cases) {
    RunContext rc;
    rc.nmax = c.nmax;
    int error = 0;
    try {
      allocate_curve_arrays(rc);
    } catch (const SevereError& e) {
      error = e.number();
    }
    EXPECT_EQ(error, c.error) << c.nmax;
    if (c.error == 0) {
      EXPECT_TRUE(rc.t != nullptr && rc.F != nullptr) << c.nmax;
    }
  }
}
