#include "inspect/series/mean_curve.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<CurvePoint> sampled(double from, double to, double step, double (*F)(double)) {
  std::vector<CurvePoint> c;
  for (int k = 0; from + k * step <= to + 1e-12; ++k) c.push_back({from + k * step, F(from + k * step)});
  return c;
}

TEST(MeanCurve, AveragesCurvesOfOtherRatesAndKeepsTheMeanImpulse) {
  // A triangle of 10 N s every 0.5 s and a flat 4 N (8 N s) every 0.25 s:
  // both are linear between the grid's points, so the mean is exact.
  const auto triangle = sampled(0.0, 2.0, 0.5, [](double t) { return t <= 1.0 ? 10.0 * t : 10.0 * (2.0 - t); });
  const auto flat = sampled(0.0, 2.0, 0.25, [](double) { return 4.0; });
  const std::span<const CurvePoint> curves[] = {triangle, flat};
  const std::vector<CurvePoint> mean = mean_curve(curves, 0.25);
  ASSERT_EQ(mean.size(), 9u);
  EXPECT_EQ(mean[4].t, 1.0);
  EXPECT_DOUBLE_EQ(mean[4].F, 7.0);
  EXPECT_DOUBLE_EQ(mean[1].F, (2.5 + 4.0) / 2.0);  // between the triangle's points
  EXPECT_DOUBLE_EQ(curve_impulse(mean), 9.0);      // the mean starts at t = 0
}

TEST(MeanCurve, ACurveCountsAsZeroOutsideItsSpan) {
  const auto early = sampled(0.0, 1.0, 0.1, [](double) { return 2.0; });
  const auto late = sampled(0.5, 2.0, 0.5, [](double) { return 6.0; });
  const std::span<const CurvePoint> curves[] = {early, late};
  const std::vector<CurvePoint> mean = mean_curve(curves, 0.1);
  ASSERT_EQ(mean.size(), 21u);
  EXPECT_DOUBLE_EQ(mean[3].F, 1.0);
  EXPECT_DOUBLE_EQ(mean[7].F, 4.0);
  EXPECT_DOUBLE_EQ(mean[15].F, 3.0);
  EXPECT_DOUBLE_EQ(mean[20].F, 3.0);
}

TEST(MeanCurve, EnginePolylineStartsAtZeroAndEndsAtZeroThrust) {
  const std::vector<CurvePoint> mean = {{-0.2, 5.0}, {-0.1, 8.0}, {0.0, 6.0}};
  const std::vector<CurvePoint> p = eng_polyline(mean, 0.1);
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[0].t, 0.0);
  EXPECT_EQ(p[0].F, 0.0);
  EXPECT_NEAR(p[1].t, 0.1, 1e-15);
  EXPECT_EQ(p[1].F, 5.0);
  EXPECT_NEAR(p[4].t, 0.4, 1e-15);
  EXPECT_EQ(p[4].F, 0.0);
}

}  // namespace
