#include "inspect/firing/uniform_grid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "inspect/firing/zero_correction.h"

namespace {

std::vector<ThrustRecord> stamped(const std::vector<double>& t, double (*F)(double)) {
  std::vector<ThrustRecord> r;
  for (std::size_t i = 0; i < t.size(); ++i) r.push_back({t[i], F(t[i]), static_cast<std::uint32_t>(i + 1)});
  return r;
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
  const auto grid = resample(records, 77);
  ASSERT_FALSE(grid.empty());
  EXPECT_LE(grid.back().t, records.back().t);
  EXPECT_GT(grid.back().t + 1.0 / 77, records.back().t);
  for (std::size_t k = 0; k < grid.size(); ++k) {
    EXPECT_EQ(grid[k].t, static_cast<double>(k) / 77.0);
    EXPECT_NEAR(grid[k].F, ramp(grid[k].t), 1e-12) << k;  // a straight line survives interpolation
    EXPECT_EQ(grid[k].line, k + 1);
  }
}

TEST(UniformGrid, RecordsAlreadyOnTheGridKeepTheirThrustExactly) {
  std::vector<ThrustRecord> records;
  for (int k = 0; k < 50; ++k) records.push_back({k / 2000.0, std::sin(k * 0.37) * 17.3, 0});
  const auto grid = resample(records, 2000);
  ASSERT_EQ(grid.size(), records.size());
  for (std::size_t k = 0; k < grid.size(); ++k) {
    EXPECT_EQ(grid[k].t, records[k].t);
    EXPECT_EQ(grid[k].F, records[k].F);
  }
}

TEST(UniformGrid, StampedImpulseCutsTheEndsAndRaisesToFcor) {
  const std::vector<ThrustRecord> r = {{0.0, -1.0, 1}, {1.0, 1.0, 2}, {3.0, 5.0, 3}, {4.0, 5.0, 4}};
  const struct {
    double from, to, Fcor, It;
    // clang-format off
  } cases[] = {
      {1.0, 4.0, 0.0, 6.0 + 5.0},        // (1+5)/2*2 + 5
      {2.0, 3.5, 0.0, 4.0 + 2.5},        // from F = 3 at 2 s: (3+5)/2*1, then 5*0.5
      {0.0, 1.0, 0.0, 0.5},              // each end raised first, as the program raises each point
      {0.0, 1.0, -2.0, 0.0},
      {4.0, 9.0, 0.0, 0.0},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(stamped_impulse(r, c.from, c.to, c.Fcor), c.It) << c.from << " " << c.to;
  }
}

TEST(ZeroCorrection, TareAloneOrADriftAcrossTheBurn) {
  const ZeroCorrection drift{-80.0, -35.0, 5.0, 8.0};
  const struct { double t, zero; } cases[] = {{0.0, -80.0}, {5.0, -80.0}, {6.5, -57.5}, {8.0, -35.0}, {14.0, -35.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(zero_at(drift, c.t), c.zero) << c.t;

  std::vector<ThrustRecord> r = {{0.0, 10.0, 1}, {6.5, 10.0, 2}, {9.0, 10.0, 3}};
  apply_zero_correction(r, drift);
  EXPECT_DOUBLE_EQ(r[0].F, 90.0);
  EXPECT_DOUBLE_EQ(r[1].F, 67.5);
  EXPECT_DOUBLE_EQ(r[2].F, 45.0);
  apply_zero_correction(r, ZeroCorrection{2.5, 2.5, 5.0, 8.0});
  EXPECT_DOUBLE_EQ(r[1].F, 65.0);
}

}  // namespace
