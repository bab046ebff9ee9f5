#include "inspect/firing/eng_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/eng_reading.h"
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

void expect_engine_curve(const std::vector<CurvePoint>& points, double It) {
  ASSERT_FALSE(points.empty());
  EXPECT_LE(points.size(), kEngMaxPoints);
  EXPECT_EQ(points.back().F, 0.0);
  double before = 0.0;
  for (const CurvePoint& p : points) {
    EXPECT_GT(p.t, before);
    EXPECT_GE(p.F, 0.0);
    before = p.t;
  }
  EXPECT_NEAR(curve_impulse(points), It, 0.005 * It);
}

TEST(EngExport, ReducesANoisyBurnKeepingItsImpulse) {
  const auto r = noisy_burn();
  const auto burn = find_burn(r.t, r.F);
  ASSERT_TRUE(burn);
  const auto polyline = burn_polyline(r.t, r.F, *burn);
  EXPECT_GT(polyline.size(), 3000u);
  expect_engine_curve(reduce_curve(polyline), burn->It);
}

TEST(EngExport, ShortCurvesAreKeptWhole) {
  const std::vector<CurvePoint> polyline = {{0.0, 0.0}, {0.1, 5.0}, {0.2, 6.0}, {0.3, 0.0}};
  const auto points = reduce_curve(polyline);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[1].F, 6.0);
  EXPECT_NEAR(curve_impulse(points), 0.25 + 0.55 + 0.3, 1e-12);
}

TEST(EngExport, TheFitIsExactOnAStraightPieceAndDropsRepeatedStamps) {
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

TEST(EngExport, TextReadsBack) {
  const std::vector<CurvePoint> points = {{0.01, 20.5}, {0.5, 70.25}, {0.92496, 0.0}};
  const EngHeader header{
      .name = "F66", .diameter = 29, .length = 124, .propellant_mass = 0.03, .total_mass = 0.03, .comment = "teste"};
  const std::string text = eng_text(header, points);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  for (char c : text) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
  const EngFile eng = read_eng(text);
  ASSERT_TRUE(eng.well_formed);
  EXPECT_EQ(eng.name, "F66");
  EXPECT_EQ(eng.maker, "talvironeska");
  EXPECT_EQ(eng.diameter, "29.0");
  EXPECT_EQ(eng.propellant_mass, 0.03);
  ASSERT_EQ(eng.points.size(), 3u);
  EXPECT_EQ(eng.points[1].t, 0.5);
  EXPECT_EQ(eng.points[1].F, 70.25);
  EXPECT_EQ(eng.points[2].F, 0.0);
}

// Lines stay whole, one per point, however wide a figure is.
TEST(EngExport, WideFiguresKeepEveryLineWhole) {
  const EngHeader header{
      .name = "Z1", .diameter = 29.0, .length = 1e250, .propellant_mass = 1e300, .total_mass = 1e300, .comment = "c"};
  const std::vector<CurvePoint> points = {{0.1, 1e200}, {0.2, 1e150}, {0.3, 0.0}};
  const std::string text = eng_text(header, points);
  std::vector<std::string> lines;
  for (std::size_t begin = 0, lf; (lf = text.find('\n', begin)) != std::string::npos; begin = lf + 1) {
    lines.push_back(text.substr(begin, lf - begin));
  }
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(lines[2].size(), std::string("Z1 29.0 ").size() + 251 + 2 + 3 + 2 * (301 + 6) + 1 + 12) << lines[2];
  EXPECT_TRUE(lines[2].ends_with(".00000 talvironeska")) << lines[2];
  // The double nearest 1e200 has 200 digits before the point.
  EXPECT_EQ(lines[3].size(), 3 + 7 + 1 + 200 + 4u) << lines[3];
  EXPECT_TRUE(lines[3].starts_with("   0.10000 99999999999999996973")) << lines[3];
  EXPECT_TRUE(lines[3].ends_with(".000")) << lines[3];
  EXPECT_EQ(lines[5], "   0.30000 0.000");
}

TEST(EngExport, NonFiniteFiguresAreFound) {
  EngHeader fine;
  fine.diameter = 29.0;
  fine.length = 83.0;
  fine.propellant_mass = 0.03;
  fine.total_mass = 0.08;
  const std::vector<CurvePoint> curve = {{0.1, 50.0}, {0.2, 0.0}};
  EXPECT_TRUE(eng_figures_finite(fine, curve));
  EngHeader infinite_mass = fine;
  infinite_mass.total_mass = INFINITY;
  EXPECT_FALSE(eng_figures_finite(infinite_mass, curve));
  const std::vector<std::vector<CurvePoint>> bad = {
      {{0.1, NAN}, {0.2, 0.0}},
      {{0.1, INFINITY}, {0.2, 0.0}},
      {{0.1, 1.7e308}, {0.5, 1.7e308}, {0.6, 0.0}},  // each finite, the impulse not
  };
  for (const auto& points : bad) EXPECT_FALSE(eng_figures_finite(fine, points)) << points[0].F;
}

}  // namespace
