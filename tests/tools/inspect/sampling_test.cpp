#include "tools/inspect/sampling.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Sampling, StepsRepeatsBackwardStampsAndGaps) {
  const std::vector<ThrustRecord> r = {
      {0.00, 0, 1}, {0.01, 0, 2}, {0.02, 0, 3}, {0.02, 0, 4}, {0.05, 0, 5}, {0.04, 0, 6}, {0.05, 0, 7},
  };
  const Sampling s = measure_sampling(r, 100);
  EXPECT_EQ(s.steps, 6u);
  EXPECT_EQ(s.repeated, 1u);
  EXPECT_EQ(s.backward, 1u);
  EXPECT_EQ(s.gaps, 1u);
  EXPECT_NEAR(s.largest_gap, 0.03, 1e-12);
  EXPECT_EQ(s.first_gap_time, 0.02);
  EXPECT_NEAR(s.min, -0.01, 1e-12);
  EXPECT_NEAR(s.max, 0.03, 1e-12);
  EXPECT_NEAR(s.median, 0.01, 1e-12);  // steps 0.01 0.01 0 0.03 -0.01 0.01
}

TEST(Sampling, MeasuredImpulseUsesTheTimesAndTheCutOff) {
  const std::vector<ThrustRecord> r = {{0.0, -1.0, 1}, {0.1, 10.0, 2}, {0.3, 10.0, 3}, {0.4, 0.0, 4}};
  const std::vector<std::size_t> kept = {0, 1, 2, 3};
  EXPECT_NEAR(measured_impulse(r, kept, 0.0), 0.5 + 2.0 + 0.5, 1e-12);
  EXPECT_NEAR(measured_impulse(r, kept, 0.0, 2.0), 0.4 + 1.6 + 0.4, 1e-12);  // minus a tare of 2 N
}

TEST(Sampling, RateFromTheMedianStep) {
  EXPECT_EQ(rate_from_median(0.002), 500);
  EXPECT_EQ(rate_from_median(0.009662), 103);
  EXPECT_EQ(rate_from_median(0.0), 0);
}

}  // namespace
