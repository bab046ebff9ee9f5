#include "inspect/engine/engine_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/test_records.h"

namespace {

// A noisy burn: a rise, a regressive slope, a tail-off; 2 kHz for 2 s.
TestRecords noisy_burn() {
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0.0, 12.0);
  TestRecords r;
  for (int k = 0; k < 6000; ++k) {
    const double t = k * 0.0005;
    double F = 0.0;
    if (t > 0.5 && t < 2.5)
      F = 1500.0 * std::min(1.0, (t - 0.5) / 0.1) * (1.2 - 0.2 * t) * std::min(1.0, (2.5 - t) / 0.3);
    r.add(t, F + noise(random));
  }
  return r;
}

void expect_engine_curve(const Curve& points, double It) {
  ASSERT_FALSE(points.empty());
  ASSERT_EQ(points.F.size(), points.size());
  EXPECT_LE(points.size(), kEngMaxPoints);
  EXPECT_EQ(points.F.back(), 0.0);
  double before = 0.0;
  for (std::size_t k = 0; k < points.size(); ++k) {
    EXPECT_GT(points.t[k], before);
    EXPECT_GE(points.F[k], 0.0);
    before = points.t[k];
  }
  EXPECT_NEAR(curve_impulse(points), It, 0.005 * It);
}

TEST(EngineCurve, ReducesANoisyBurnKeepingItsImpulse) {
  const auto r = noisy_burn();
  const auto burn = find_burn(r.t, r.F);
  ASSERT_TRUE(burn);
  const auto polyline = burn_polyline(r.t, r.F, *burn);
  EXPECT_GT(polyline.size(), 3000u);
  expect_engine_curve(reduce_curve(polyline), burn->It);
}

TEST(EngineCurve, ShortCurvesAreKeptWhole) {
  const Curve polyline{{0.0, 0.1, 0.2, 0.3}, {0.0, 5.0, 6.0, 0.0}};
  const auto points = reduce_curve(polyline);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points.F[1], 6.0);
  EXPECT_NEAR(curve_impulse(points), 0.25 + 0.55 + 0.3, 1e-12);
}

TEST(EngineCurve, TheFitIsExactOnAStraightPieceAndDropsRepeatedStamps) {
  // Repeated and backward stamps are dropped; a trapezoid needs four points.
  TestRecords r;
  r.add(0.0, 0);
  r.add(1.0, 10);
  r.add(1.0, 11);
  r.add(0.9, 12);
  for (int k = 2; k <= 100; ++k) r.add(k * 0.5, 10.0);
  r.add(50.5, 0.0);
  const auto burn = find_burn(r.t, r.F);
  ASSERT_TRUE(burn);
  const auto points = reduce_curve(burn_polyline(r.t, r.F, *burn), 4);
  ASSERT_LE(points.size(), 4u);
  expect_engine_curve(points, burn->It);
}

TEST(EngineCurve, NonFiniteCurvesAreFound) {
  EXPECT_TRUE(curve_finite(Curve{{0.1, 0.2}, {50.0, 0.0}}));
  const std::vector<Curve> bad = {
      {{0.1, 0.2}, {NAN, 0.0}},
      {{NAN, 0.2}, {50.0, 0.0}},
      {{0.1, 0.2}, {INFINITY, 0.0}},
      {{0.1, 0.5, 0.6}, {1.7e308, 1.7e308, 0.0}},  // each finite, the impulse not
  };
  for (const auto& points : bad) EXPECT_FALSE(curve_finite(points)) << points.t[0] << " " << points.F[0];
}

}  // namespace
