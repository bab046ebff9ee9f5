#include "inspect/firing/burn.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_records.h"

namespace {

// Records every millisecond from 0 to 3 s: zero, a rise of 1 N per sample
// from 1.0 s to 100 N at 1.1 s, flat to 1.9 s, a fall to zero at 2.0 s,
// then zero; PATCH changes some thrusts.
TestRecords pulse(void (*patch)(TestRecords&) = nullptr) {
  TestRecords r;
  for (int k = 0; k <= 3000; ++k) {
    double F = 0.0;
    if (k > 1000 && k < 1100) F = k - 1000;
    if (k >= 1100 && k <= 1900) F = 100.0;
    if (k > 1900 && k < 2000) F = 2000 - k;
    r.add(k * 0.001, F);
  }
  if (patch) patch(r);
  return r;
}

TEST(Burn, CrossingsAreInterpolatedAndTheWindowIsOnSamples) {
  const auto r = pulse();
  const auto b = find_burn(r.t, r.F);
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
  EXPECT_EQ(suggested_ti(r.t, *b), r.t[1005]);
  EXPECT_EQ(suggested_tf(r.t, *b), r.t[1996]);
  EXPECT_EQ(b->outside, 0u);
}

TEST(Burn, SpikesFarFromTheBurnStayOutside) {
  const auto r = pulse([](TestRecords& r) {
    r.F[200] = 60.0;   // an early spike at 0.2 s
    r.F[2800] = 30.0;  // the ejection charge at 2.8 s
  });
  const auto b = find_burn(r.t, r.F);
  ASSERT_TRUE(b);
  EXPECT_EQ(suggested_ti(r.t, *b), r.t[1005]);
  EXPECT_EQ(suggested_tf(r.t, *b), r.t[1996]);
  EXPECT_EQ(b->outside, 2u);
}

TEST(Burn, ShortDipsNearTheThresholdAreBridged) {
  const auto r = pulse([](TestRecords& r) {
    r.F[1010] = 4.0;  // one noisy sample below 5 N during the rise: bridged
    r.F[985] = 6.0;   // noise above 5 N 20 ms (2 % of the burn) before the rise: not bridged
  });
  const auto b = find_burn(r.t, r.F);
  ASSERT_TRUE(b);
  EXPECT_EQ(suggested_ti(r.t, *b), r.t[1005]);
  EXPECT_EQ(b->outside, 1u);
}

TEST(Burn, ABurnRunningToTheEndOfTheFile) {
  TestRecords r = pulse();
  r.t.resize(1500);
  r.F.resize(1500);
  const auto b = find_burn(r.t, r.F);
  ASSERT_TRUE(b);
  EXPECT_FALSE(b->ends_in_file);
  // The program's reading needs the last record to end it.
  EXPECT_EQ(suggested_tf(r.t, *b), r.t[1498]);
}

// A range searched (--de, --ate) that cuts the burn: it starts or ends at
// the record there, with no crossing made up from two records above the
// threshold.
TEST(Burn, ARangeThatCutsTheBurnEndsItAtItsOwnRecord) {
  const auto r = pulse();
  const struct {
    std::size_t from, to;
    double start, end, It;
  } cases[] = {
      {1500, 3000, 1.5, 1.995, 40.0 + 5.0 - 0.0125},  // 0.4 s flat, the fall to 5 N
      {0, 1500, 1.005, 1.5, 5.0 - 0.0125 + 40.0},     // the rise from 5 N, 0.4 s flat
      {1050, 1950, 1.05, 1.95, 90.0 - 2.5},           // all but half the rise and half the fall
      {0, 3000, 1.005, 1.995, 90.0 - 0.025},
  };
  for (const auto& c : cases) {
    const auto b = find_burn(r.t, r.F, 0.0, c.from, c.to);
    ASSERT_TRUE(b) << c.from;
    EXPECT_NEAR(b->start, c.start, 1e-12) << c.from << " " << c.to;
    EXPECT_NEAR(b->end, c.end, 1e-12) << c.from << " " << c.to;
    EXPECT_NEAR(b->duration, c.end - c.start, 1e-12) << c.from << " " << c.to;
    EXPECT_NEAR(b->It, c.It, 1e-9) << c.from << " " << c.to;
    EXPECT_NEAR(b->Fmed, c.It / (c.end - c.start), 1e-9) << c.from << " " << c.to;
  }
}

TEST(Burn, NothingWithoutPositiveThrust) {
  EXPECT_FALSE(find_burn(std::vector<double>{0.0}, std::vector<double>{1.0}));
  EXPECT_FALSE(find_burn(std::vector<double>{0.0, 0.1}, std::vector<double>{0.0, -2.0}));
  // Above a zero of 5 N, 4 N is no thrust.
  EXPECT_FALSE(find_burn(std::vector<double>{0.0, 0.1}, std::vector<double>{4.0, 4.0}, 5.0));
}

}  // namespace
