#include "tools/inspect/zero_offset.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// 1 s of baseline at 1 kHz, a 1 s burn of 100 N, 1 s of baseline; the
// baselines alternate +-NOISE around BEFORE and AFTER.
std::vector<ThrustRecord> firing(double before, double after, double noise) {
  std::vector<ThrustRecord> r;
  for (int k = 0; k < 3000; ++k) {
    const double sign = k % 2 == 0 ? 1.0 : -1.0;
    double F = (k < 1000 ? before : after) + sign * noise;
    if (k >= 1000 && k < 2000) F = 100.0;
    r.push_back({k * 0.001, F, static_cast<std::uint32_t>(k + 1)});
  }
  return r;
}

TEST(ZeroOffset, MeanAndNoiseAwayFromTheBurn) {
  auto r = firing(-8.0, 3.0, 0.5);
  r[100].F = 90.0;  // a spike: set aside, but still not part of the burn
  const auto burn = find_burn(r);
  ASSERT_TRUE(burn);
  const auto before = before_ignition(r, *burn);
  const auto after = after_burnout(r, *burn);
  ASSERT_TRUE(before);
  ASSERT_TRUE(after);
  EXPECT_NEAR(before->mean, -8.0, 0.01);
  EXPECT_NEAR(before->noise, 0.5, 0.01);
  EXPECT_LT(before->to, burn->start - 0.09);  // 10 % of the burn kept away
  EXPECT_GT(after->from, burn->end + 0.09);
  EXPECT_NEAR(after->mean, 3.0, 0.01);
  EXPECT_TRUE(offset_is_clear(*before, burn->Fmax));
  EXPECT_TRUE(offset_is_clear(*after, burn->Fmax));
}

TEST(ZeroOffset, ClearOnlyAboveThreeNoiseWidthsAndHalfAPercentOfThePeak) {
  const struct {
    double mean;
    double noise;
    bool clear;
  } cases[] = {
      {2.0, 0.5, true}, {-2.0, 0.5, true}, {1.4, 0.5, false}, {0.4, 0.01, false}, {0.6, 0.01, true},
  };
  for (const auto& c : cases) {
    QuietStretch q;
    q.mean = c.mean;
    q.noise = c.noise;
    EXPECT_EQ(offset_is_clear(q, 100.0), c.clear) << c.mean << " " << c.noise;
  }
}

TEST(ZeroOffset, TooFewRecordsBeforeIgnition) {
  auto r = firing(0.0, 0.0, 0.1);
  r.erase(r.begin(), r.begin() + 995);
  const auto burn = find_burn(r);
  ASSERT_TRUE(burn);
  EXPECT_FALSE(before_ignition(r, *burn));
}

}  // namespace
