#include "inspect/firing/sampling.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Sampling, StepsRepeatsBackwardStampsAndGaps) {
  const std::vector<double> t = {0.00, 0.01, 0.02, 0.02, 0.05, 0.04, 0.05};
  const Sampling s = measure_sampling(t, 100);
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

TEST(Sampling, RateOverTheBurn) {
  const auto stamps = [](double step, std::size_t n, std::size_t batch) {
    std::vector<double> t;
    for (std::size_t i = 0; i < n; ++i) t.push_back(static_cast<double>(i / batch * batch) * step);
    return t;
  };
  const struct {
    const char* name;
    std::vector<double> t;
    double measured;
    std::int32_t w;
    bool fits, batched, burst;
  } cases[] = {
      {"even 100 Hz", stamps(0.01, 1000, 1), 100.0, 100, true, false, false},
      {"10.4 Hz", stamps(1 / 10.4, 300, 1), 10.4, 10, false, false, false},
      {"stamped ten at a time", stamps(0.01, 2000, 10), 100.0, 100, true, true, false},
  };
  for (const auto& c : cases) {
    const Rate r = measure_rate(c.t, 0, c.t.size() - 1);
    EXPECT_NEAR(r.measured, c.measured, 1e-6 * c.measured) << c.name;
    EXPECT_EQ(r.w, c.w) << c.name;
    EXPECT_EQ(r.w_fits, c.fits) << c.name;
    EXPECT_EQ(r.batched, c.batched) << c.name;
    EXPECT_EQ(r.burst, c.burst) << c.name;
  }
  std::vector<double> burst;
  for (std::size_t i = 0; i < 1000; ++i)
    burst.push_back(static_cast<double>(i) * 0.001 + static_cast<double>(i / 10) * 0.009);
  const Rate r = measure_rate(burst, 0, burst.size() - 1);
  EXPECT_TRUE(r.burst);
  EXPECT_NEAR(r.median_step, 0.001, 1e-9);
  EXPECT_NEAR(r.measured, 999 / burst.back(), 1e-9);  // records per second keep the length
}

}  // namespace
