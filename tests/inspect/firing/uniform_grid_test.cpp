#include "inspect/firing/uniform_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "inspect/firing/zero_correction.h"
#include "inspect/log/record.h"

namespace {

Records stamped(const std::vector<double>& t, double (*F)(double)) {
  Records r;
  for (const double at : t) {
    r.t.push_back(at);
    r.F.push_back(F(at));
  }
  return r;
}

// The points of CURVE, made by its cursor.
Records points_of(const WrittenCurve& curve) {
  Records p;
  CurveCursor cursor(curve);
  double t = 0.0;
  double F = 0.0;
  while (cursor.next(&t, &F)) {
    p.t.push_back(t);
    p.F.push_back(F);
  }
  EXPECT_EQ(p.size(), curve.size());
  return p;
}

double ramp(double t) { return 3.0 + 2.0 * t; }

std::vector<double> millis_stamps(int count, std::vector<int> steps) {
  std::vector<double> t;
  long ms = 0;
  for (int k = 0; k < count; ++k) {
    t.push_back(ms / 1000.0);
    ms += steps[k % steps.size()];
  }
  return t;
}

TEST(UniformGrid, ResamplingOnTheGridFromTheIndex) {
  const auto records = stamped(millis_stamps(400, {12, 13, 14}), ramp);
  const WrittenCurve curve{records.t, records.F, 77};
  const auto grid = points_of(curve);
  ASSERT_GT(grid.size(), 0u);
  EXPECT_LE(grid.t.back(), records.t.back());
  EXPECT_GT(grid.t.back() + 1.0 / 77, records.t.back());
  for (std::size_t k = 0; k < grid.size(); ++k) {
    EXPECT_EQ(grid.t[k], static_cast<double>(k) / 77.0);
    EXPECT_EQ(curve.time(k), grid.t[k]);
    EXPECT_NEAR(grid.F[k], ramp(grid.t[k]), 1e-12) << k;  // a straight line survives interpolation
  }
  // Without a rate the curve is the records themselves.
  const auto measured = points_of(WrittenCurve{records.t, records.F, 0});
  EXPECT_EQ(measured.t, records.t);
  EXPECT_EQ(measured.F, records.F);
}

TEST(UniformGrid, RecordsAlreadyOnTheGridKeepTheirThrustExactly) {
  Records records;
  for (int k = 0; k < 50; ++k) {
    records.t.push_back(k / 2000.0);
    records.F.push_back(std::sin(k * 0.37) * 17.3);
  }
  const auto grid = points_of(WrittenCurve{records.t, records.F, 2000});
  EXPECT_EQ(grid.t, records.t);
  EXPECT_EQ(grid.F, records.F);
}

TEST(ZeroCorrection, TareAloneOrADriftAcrossTheBurn) {
  const ZeroCorrection drift{-80.0, -35.0, 5.0, 8.0};
  const struct { double t, zero; } cases[] = {{0.0, -80.0}, {5.0, -80.0}, {6.5, -57.5}, {8.0, -35.0}, {14.0, -35.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(zero_at(drift, c.t), c.zero) << c.t;

  const std::vector<double> t = {0.0, 6.5, 9.0};
  std::vector<double> F = {10.0, 10.0, 10.0};
  apply_zero_correction(t, F, drift);
  EXPECT_DOUBLE_EQ(F[0], 90.0);
  EXPECT_DOUBLE_EQ(F[1], 67.5);
  EXPECT_DOUBLE_EQ(F[2], 45.0);
  apply_zero_correction(t, F, ZeroCorrection{2.5, 2.5, 5.0, 8.0});
  EXPECT_DOUBLE_EQ(F[1], 65.0);
}

}  // namespace
