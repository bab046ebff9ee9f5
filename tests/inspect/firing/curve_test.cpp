// The one trapezoid over time stamps, and what a window leaves out of a burn.
#include "inspect/firing/curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "inspect/firing/firing.h"
#include "inspect/firing/window_share.h"

namespace {

TEST(Trapezoid, OnlyAStepForwardAddsImpulse) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double t0, F0, t1, F1, It;
  } cases[] = {
      {1.0, 2.0, 3.0, 4.0, 6.0},    {0.5, -2.0, 1.0, 2.0, 0.0},
      {0.0, -1.0, 2.0, -3.0, -4.0}, {2.0, 5.0, 2.0, 7.0, 0.0},  // a repeated stamp
      {3.0, 5.0, 1.0, 5.0, 0.0},                                // a stamp going back
      {nan, 5.0, 1.0, 5.0, 0.0},                                // a time that is not a number
  };
  for (const auto& c : cases) EXPECT_EQ(trapezoid(c.t0, c.F0, c.t1, c.F1), c.It) << c.t0 << " " << c.t1;
  EXPECT_TRUE(std::isnan(trapezoid(0.0, nan, 1.0, 1.0)));  // a thrust that is not a number is not hidden
}

TEST(Trapezoid, SumsRecordsReadingEachThrustOnce) {
  const std::vector<double> t = {0.0, 1.0, 1.0, 0.5, 2.0, 4.0};
  const std::vector<double> F = {10.0, 12.0, 14.0, 16.0, 18.0, 10.0};
  int reads = 0;
  auto above_ten = [&](std::size_t i) {
    ++reads;
    return F[i] - 10.0;
  };
  const struct {
    std::size_t from, to;
    double It;
  } cases[] = {
      {0, 5, 1.0 + 0.0 + 0.0 + (6.0 + 8.0) / 2.0 * 1.5 + 8.0},  // the repeated and the backward stamp add nothing
      {4, 5, 8.0},
      {2, 2, 0.0},
  };
  for (const auto& c : cases) {
    reads = 0;
    EXPECT_DOUBLE_EQ(trapezoid_sum(t, c.from, c.to, above_ten), c.It) << c.from << " " << c.to;
    EXPECT_EQ(reads, static_cast<int>(c.to - c.from + 1));
  }
  EXPECT_DOUBLE_EQ(trapezoid_sum(t, 4, 5, above_ten, 100.0), 108.0);
}

TEST(Trapezoid, ACurveCountsFromTheOrigin) {
  const struct {
    Curve curve;
    double It;
  } cases[] = {
      {{}, 0.0},
      {{{0.5}, {0.0}}, 0.0},
      {{{0.5}, {4.0}}, 1.0},
      {{{0.1, 0.2, 0.3}, {5.0, 6.0, 0.0}}, 0.25 + 0.55 + 0.3},
  };
  for (const auto& c : cases) EXPECT_NEAR(curve_impulse(c.curve), c.It, 1e-12) << c.curve.size();
}

TEST(Trapezoid, StampedImpulseCutsTheEndsAndRaisesToFcor) {
  const std::vector<double> t = {0.0, 1.0, 3.0, 4.0, 3.5, 5.0};
  const std::vector<double> F = {-1.0, 1.0, 5.0, 5.0, 5.0, 5.0};
  const struct {
    double from, to, Fcor, It;
  } cases[] = {
      // (1+5)/2*2 + 5; the step back adds nothing, the one on from 3.5 s counts [3.5 s, 4 s] again
      {1.0, 4.0, 0.0, 6.0 + 5.0 + 2.5},
      {2.0, 3.5, 0.0, 4.0 + 2.5},  // from F = 3 at 2 s: (3+5)/2*1, then 5*0.5
      {0.0, 1.0, 0.0, 0.5},        // each end raised first, as the program raises each point
      {0.0, 1.0, -2.0, 0.0},
      {4.0, 9.0, 0.0, 5.0},
      {6.0, 9.0, 0.0, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(stamped_impulse(t, F, c.from, c.to, c.Fcor), c.It) << c.from << " " << c.to;
  }
}

// Records every 10 ms from 0 to 3 s over a zero of 2 N: a rise of 10 N per
// record from 1.0 s to 100 N at 1.1 s, flat to 1.9 s, a fall to the zero at
// 2.0 s: 90 N s.
Curve pulse() {
  Curve r;
  for (int k = 0; k <= 300; ++k) {
    double F = 0.0;
    if (k > 100 && k < 110) F = 10.0 * (k - 100);
    if (k >= 110 && k <= 190) F = 100.0;
    if (k > 190 && k < 200) F = 10.0 * (200 - k);
    r.add(k * 0.01, 2.0 + F);
  }
  return r;
}

TEST(WindowShare, WhatAWindowLeavesOutOfTheBurn) {
  const Curve r = pulse();
  const FiringAnalysis a = analyse_firing(r.t, r.F);
  ASSERT_TRUE(a.burn);
  EXPECT_NEAR(a.stretch.zero, 2.0, 1e-12);
  EXPECT_NEAR(a.stretch.It, 90.0, 1e-9);
  const struct {
    double ti, tf, before, after;
  } cases[] = {
      {0.0, 3.0, 0.0, 0.0},
      {1.5, 1.7, 5.0 + 40.0, 20.0 + 5.0},  // the rise and 0.4 s flat; 0.2 s flat and the fall
      {1.05, 1.95, 1.25, 1.25},            // on records: half the rise and half the fall
      // Half-way through a step, half its trapezoid: (50 + 60) / 2 / 100 / 2 past the 1.25 N s before it.
      {1.055, 3.0, 1.25 + 0.275, 0.0},
      {2.5, 2.6, 90.0, 0.0},  // a window past the burn leaves it all out
  };
  for (const auto& c : cases) {
    const LeftOut l = window_left_out(r.t, r.F, a, c.ti, c.tf);
    EXPECT_NEAR(l.before, c.before, 1e-9) << c.ti << " " << c.tf;
    EXPECT_NEAR(l.after, c.after, 1e-9) << c.ti << " " << c.tf;
    EXPECT_NEAR(l.total, 90.0, 1e-9);
  }
  const FiringAnalysis none = analyse_firing(std::vector<double>{0.0, 1.0}, std::vector<double>{0.0, 0.0});
  ASSERT_FALSE(none.burn);
  const LeftOut l = window_left_out(std::vector<double>{0.0, 1.0}, std::vector<double>{0.0, 0.0}, none, 0.0, 1.0);
  EXPECT_EQ(l.before + l.after + l.total, 0.0);
}

// A burn whose tail still falls when the log ends: the stretch runs to the
// last record, and what lies after tf is all of it to there.
TEST(WindowShare, ATailToTheEndOfTheLogCounts) {
  Curve r;
  for (int k = 0; k < 900; ++k) {
    const double t = k / 100.0;
    double F = 0.0;
    if (t > 1.0 && t < 1.2) F = 5000.0 * (t - 1.0);
    if (t >= 1.2 && t < 5.0) F = 1000.0;
    if (t >= 5.0) F = 40.0 * std::exp(-(t - 1.0) / 2.6);
    r.add(t, F);
  }
  const FiringAnalysis a = analyse_firing(r.t, r.F);
  ASSERT_TRUE(a.burn);
  ASSERT_TRUE(a.tail_to_end);
  EXPECT_EQ(a.stretch.last, r.size() - 1);
  const double tf = r.t[600];
  std::vector<double> above(r.F);
  for (double& F : above) F -= a.stretch.zero;
  const LeftOut l = window_left_out(r.t, r.F, a, 0.0, tf);
  EXPECT_NEAR(l.after, stamped_impulse(r.t, above, tf, r.t.back(), -1e300), 1e-9);
  EXPECT_GT(l.after, 0.0);
  EXPECT_NEAR(l.total, stamped_impulse(r.t, above, r.t[a.stretch.first - 1], r.t.back(), -1e300), 1e-9);
}

}  // namespace
