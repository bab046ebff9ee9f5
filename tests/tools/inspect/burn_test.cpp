#include "tools/inspect/burn.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records every millisecond from 0 to 3 s: zero, a rise of 1 N per sample
// from 1.0 s to 100 N at 1.1 s, flat to 1.9 s, a fall to zero at 2.0 s,
// then zero; PATCH changes some thrusts.
std::vector<ThrustRecord> pulse(void (*patch)(std::vector<ThrustRecord>&) = nullptr) {
  std::vector<ThrustRecord> r;
  for (int k = 0; k <= 3000; ++k) {
    double F = 0.0;
    if (k > 1000 && k < 1100) F = k - 1000;
    if (k >= 1100 && k <= 1900) F = 100.0;
    if (k > 1900 && k < 2000) F = 2000 - k;
    r.push_back({k * 0.001, F, static_cast<std::uint32_t>(k + 1)});
  }
  if (patch) patch(r);
  return r;
}

TEST(Burn, CrossingsAreInterpolatedAndTheWindowIsOnSamples) {
  const auto r = pulse();
  const auto b = find_burn(r);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Fmax, 100.0);
  EXPECT_EQ(b->peak, 1100u);
  EXPECT_EQ(b->threshold, 5.0);
  EXPECT_NEAR(b->start, 1.005, 1e-12);  // 5 N falls on samples here
  EXPECT_NEAR(b->end, 1.995, 1e-12);
  EXPECT_NEAR(b->duration, 0.99, 1e-12);
  // The whole pulse holds 0.9 s * 100 N; the tips below 5 N hold 2 * 0.005 * 5 / 2.
  EXPECT_NEAR(b->It, 90.0 - 0.025, 1e-9);
  EXPECT_NEAR(b->Fmed, (90.0 - 0.025) / 0.99, 1e-9);
  EXPECT_EQ(suggested_ti(r, *b), r[1005].t);
  EXPECT_EQ(suggested_tf(r, *b), r[1996].t);
  EXPECT_EQ(b->outside, 0u);
}

TEST(Burn, SpikesFarFromTheBurnStayOutside) {
  const auto r = pulse([](std::vector<ThrustRecord>& r) {
    r[200].F = 60.0;   // an early spike at 0.2 s
    r[2800].F = 30.0;  // the ejection charge at 2.8 s
  });
  const auto b = find_burn(r);
  ASSERT_TRUE(b);
  EXPECT_EQ(suggested_ti(r, *b), r[1005].t);
  EXPECT_EQ(suggested_tf(r, *b), r[1996].t);
  EXPECT_EQ(b->outside, 2u);
}

TEST(Burn, ShortDipsNearTheThresholdAreBridged) {
  const auto r = pulse([](std::vector<ThrustRecord>& r) {
    r[1010].F = 4.0;  // one noisy sample below 5 N during the rise: bridged
    r[985].F = 6.0;   // noise above 5 N 20 ms (2 % of the burn) before the rise: not bridged
  });
  const auto b = find_burn(r);
  ASSERT_TRUE(b);
  EXPECT_EQ(suggested_ti(r, *b), r[1005].t);
  EXPECT_EQ(b->outside, 1u);
}

TEST(Burn, ABurnRunningToTheEndOfTheFile) {
  const auto full = pulse();
  const std::vector<ThrustRecord> r(full.begin(), full.begin() + 1500);
  const auto b = find_burn(r);
  ASSERT_TRUE(b);
  EXPECT_FALSE(b->ends_in_file);
  EXPECT_EQ(suggested_tf(r, *b), r.back().t);
}

TEST(Burn, NothingWithoutPositiveThrust) {
  EXPECT_FALSE(find_burn(std::vector<ThrustRecord>{{0.0, 1.0, 1}}));
  EXPECT_FALSE(find_burn(std::vector<ThrustRecord>{{0.0, 0.0, 1}, {0.1, -2.0, 2}}));
}

}  // namespace
