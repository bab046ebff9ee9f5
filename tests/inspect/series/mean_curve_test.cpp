#include "inspect/series/mean_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "inspect/series/plot.h"

namespace {

Curve sampled(double from, double to, double step, double (*F)(double)) {
  Curve c;
  for (int k = 0; from + k * step <= to + 1e-12; ++k) c.add(from + k * step, F(from + k * step));
  return c;
}

TEST(MeanCurve, AveragesCurvesOfOtherRatesAndKeepsTheMeanImpulse) {
  // A triangle of 10 N s every 0.5 s and a flat 4 N (8 N s) every 0.25 s:
  // both are linear between the grid's points, so the mean is exact.
  const auto triangle = sampled(0.0, 2.0, 0.5, [](double t) { return t <= 1.0 ? 10.0 * t : 10.0 * (2.0 - t); });
  const auto flat = sampled(0.0, 2.0, 0.25, [](double) { return 4.0; });
  const Curve* curves[] = {&triangle, &flat};
  const Curve mean = mean_curve(curves, 0.25);
  ASSERT_EQ(mean.size(), 9u);
  ASSERT_EQ(mean.F.size(), 9u);
  EXPECT_EQ(mean.t[4], 1.0);
  EXPECT_DOUBLE_EQ(mean.F[4], 7.0);
  EXPECT_DOUBLE_EQ(mean.F[1], (2.5 + 4.0) / 2.0);  // between the triangle's points
  EXPECT_DOUBLE_EQ(curve_impulse(mean), 9.0);      // the mean starts at t = 0
}

TEST(MeanCurve, ACurveCountsAsZeroOutsideItsSpan) {
  const auto early = sampled(0.0, 1.0, 0.1, [](double) { return 2.0; });
  const auto late = sampled(0.5, 2.0, 0.5, [](double) { return 6.0; });
  const Curve* curves[] = {&early, &late};
  const Curve mean = mean_curve(curves, 0.1);
  ASSERT_EQ(mean.size(), 21u);
  EXPECT_DOUBLE_EQ(mean.F[3], 1.0);
  EXPECT_DOUBLE_EQ(mean.F[7], 4.0);
  EXPECT_DOUBLE_EQ(mean.F[15], 3.0);
  EXPECT_DOUBLE_EQ(mean.F[20], 3.0);
}

TEST(MeanCurve, EnginePolylineStartsAtZeroAndEndsAtZeroThrust) {
  const Curve mean{{-0.2, -0.1, 0.0}, {5.0, 8.0, 6.0}};
  const Curve p = eng_polyline(mean, 0.1);
  ASSERT_EQ(p.size(), 5u);
  ASSERT_EQ(p.F.size(), 5u);
  EXPECT_EQ(p.t[0], 0.0);
  EXPECT_EQ(p.F[0], 0.0);
  EXPECT_NEAR(p.t[1], 0.1, 1e-15);
  EXPECT_EQ(p.F[1], 5.0);
  EXPECT_NEAR(p.t[4], 0.4, 1e-15);
  EXPECT_EQ(p.F[4], 0.0);
}

// A firing of a million points at 1 MHz keeps its impulse and its shape in
// a bounded curve, and the picture in a bounded block that still holds the
// one-point peak.
TEST(MeanCurve, LongCurvesAreThinnedForTheSeriesAndThePicture) {
  for (const std::size_t n : {std::size_t{7}, kSeriesCurvePoints, kSeriesCurvePoints + 1, std::size_t{1000000}}) {
    ThinnedCurve thinned;
    thinned.bucket = (n + kSeriesCurvePoints - 1) / kSeriesCurvePoints;
    Curve full;
    for (std::size_t k = 0; k < n; ++k) {
      const double t = static_cast<double>(k) * 1e-6;
      full.add(t, k == n / 2 ? 500.0 : 10.0 + t);
      add_thinned_point(thinned, full.t[k], full.F[k]);
    }
    finish_thinned_curve(thinned);
    EXPECT_LE(thinned.points.size(), kSeriesCurvePoints) << n;
    EXPECT_EQ(thinned.points.size(), (n + thinned.bucket - 1) / thinned.bucket) << n;
    const double step = static_cast<double>(thinned.bucket) * 1e-6;
    EXPECT_NEAR(curve_impulse(thinned.points) + step * 10.0, curve_impulse(full) + 1e-6 * 10.0,
                1e-3 * curve_impulse(full))
        << n;

    Firing firing;
    firing.curve = full;
    const std::string text = plot_data_text(std::span(&firing, 1), {});
    const std::string block = text.substr(0, text.find("\n\n"));
    EXPECT_LE(static_cast<std::size_t>(std::count(block.begin(), block.end(), '\n')), kPicturePoints + 1) << n;
    EXPECT_NE(block.find(" 500\n"), std::string::npos) << n;
  }
}

}  // namespace
