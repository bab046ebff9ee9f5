#include "inspect/calibration/fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "inspect/calibration/cal_file.h"
#include "inspect/uncertainty/coverage.h"
#include "inspect/uncertainty/draws.h"

namespace {

// Over many seeded tables of 5 loads x 5 readings with noise in the
// reading, u(b) is b's spread and b +- k u(b) holds the true slope 95 % of
// the time.
TEST(CalibrationFit, SlopeUncertaintyMatchesItsSpreadAndCovers) {
  constexpr int kTables = 5000;
  constexpr double kTrueB = 0.0042;  // N per count
  constexpr double kTrueA = -3.1;
  constexpr double kNoise = 0.0002 * 100.0 / kTrueB;  // 0.02 % of a 100 N full scale, in counts
  Draws draws(20261209);
  double sum_b = 0.0;
  double sum_b2 = 0.0;
  double sum_u = 0.0;
  int covered = 0;
  std::vector<CalibrationReading> table;
  for (int n = 0; n < kTables; ++n) {
    table.clear();
    for (double load : {20.0, 40.0, 60.0, 80.0, 100.0}) {
      for (int r = 0; r < 5; ++r) table.push_back({load, (load - kTrueA) / kTrueB + kNoise * draws.normal()});
    }
    CalibrationFit fit;
    ASSERT_TRUE(fit_calibration(table, &fit));
    sum_b += fit.b;
    sum_b2 += fit.b * fit.b;
    sum_u += fit.u_b;
    if (std::fabs(fit.b - kTrueB) <= coverage_factor(static_cast<double>(fit.readings - 2)) * fit.u_b) ++covered;
  }
  const double mean_b = sum_b / kTables;
  const double spread = std::sqrt((sum_b2 - kTables * mean_b * mean_b) / (kTables - 1));
  EXPECT_NEAR(sum_u / kTables, spread, 0.05 * spread);
  EXPECT_GE(covered, 0.94 * kTables);
  EXPECT_LE(covered, 0.96 * kTables);
}

// Readings of a known curve: a bow of the loading (nonlinearity) and an
// unloading that stays above the loading (hysteresis), each alone.
TEST(CalibrationFit, NonlinearityAndHysteresisOfKnownCurves) {
  const struct {
    double bow;                        // counts: reading = load + bow (load / 25)^2, 0 to 100 N
    double lag;                        // counts: the unloading's reading above the loading's at mid-scale
    bool unload;                       // the table goes back down
    double nonlinearity;               // N
    std::optional<double> hysteresis;  // N
  } cases[] = {
      {0.01, 0.0, false, 0.02, std::nullopt},  // a parabola's worst residual from its line is twice its bow here
      {0.0, 0.05, true, 0.0, 0.05},
      {0.0, 0.0, true, 0.0, 0.0},
  };
  for (const auto& c : cases) {
    std::vector<CalibrationReading> table;
    for (double load : {0.0, 25.0, 50.0, 75.0, 100.0}) {
      const double u = load / 25.0;
      table.push_back({load, load + c.bow * u * u});
    }
    if (c.unload) {
      for (double load : {75.0, 50.0, 25.0, 0.0}) {
        const double x = load / 100.0;
        table.push_back({load, load + 4.0 * c.lag * x * (1.0 - x)});
      }
    }
    CalibrationFit fit;
    ASSERT_TRUE(fit_calibration(table, &fit));
    EXPECT_EQ(fit.loads, 5u);
    EXPECT_DOUBLE_EQ(fit.top_load, 100.0);
    if (c.unload) {
      // The lag alone moves the line a little: its residuals stay small.
      EXPECT_LT(fit.nonlinearity, 0.02) << c.lag;
    } else {
      EXPECT_NEAR(fit.nonlinearity, c.nonlinearity, 0.01 * c.nonlinearity);
    }
    ASSERT_EQ(fit.hysteresis.has_value(), c.hysteresis.has_value());
    if (c.hysteresis) {
      EXPECT_NEAR(*fit.hysteresis, *c.hysteresis, 0.001 * 0.05 + 1e-12);
      if (*c.hysteresis > 0.0) {
        EXPECT_DOUBLE_EQ(fit.hysteresis_load, 50.0);
      }
    }
    EXPECT_EQ(fit.steps.back().unloading, c.unload);
  }
}

TEST(CalibrationFit, RefusesTablesThatFixNoLine) {
  const std::vector<std::vector<CalibrationReading>> tables = {
      {},
      {{0.0, 1.0}, {10.0, 2.0}},                // two readings
      {{10.0, 1.0}, {10.0, 2.0}, {10.0, 3.0}},  // one load
      {{0.0, 5.0}, {10.0, 5.0}, {20.0, 5.0}},   // the reading never changes
  };
  for (const auto& t : tables) {
    CalibrationFit fit;
    EXPECT_FALSE(fit_calibration(t, &fit)) << t.size();
  }
}

TEST(CalibrationFit, StepsFollowTheTablesOrder) {
  const std::vector<CalibrationReading> table = {{0, 0.0},   {0, 0.2},   {10, 10.0}, {10, 10.2},
                                                 {20, 20.0}, {10, 10.4}, {0, 0.4}};
  CalibrationFit fit;
  ASSERT_TRUE(fit_calibration(table, &fit));
  ASSERT_EQ(fit.steps.size(), 5u);
  const bool unloading[] = {false, false, false, true, true};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(fit.steps[i].unloading, unloading[i]) << i;
  EXPECT_DOUBLE_EQ(fit.steps[0].mean_reading, 0.1);
  EXPECT_NEAR(fit.steps[0].spread, std::sqrt(0.02), 1e-12);
  EXPECT_EQ(fit.loads, 3u);
  // Loading 10.1, unloading 10.4 at 10 N; loading 0.1, unloading 0.4 at 0 N.
  EXPECT_NEAR(*fit.hysteresis, fit.b * 0.3, 1e-12);
}

// A table counted in compression, its loads below zero, as good as one above:
// the top load is the largest in size, the loading and the unloading part
// there, and the calibration is one the import reads.
TEST(CalibrationFit, LoadsBelowZeroAreAsGoodAsAbove) {
  for (const double sign : {1.0, -1.0}) {
    const std::vector<CalibrationReading> table = {
        {0.0, 0.0}, {sign * 5.0, 5.0}, {sign * 10.0, 10.1}, {sign * 5.0, 5.2}, {0.0, 0.1}};
    CalibrationFit fit;
    ASSERT_TRUE(fit_calibration(table, &fit)) << sign;
    EXPECT_DOUBLE_EQ(fit.top_load, 10.0) << sign;
    ASSERT_EQ(fit.steps.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(fit.steps[i].unloading, i > 2) << sign << " " << i;
    ASSERT_TRUE(fit.hysteresis.has_value()) << sign;
    EXPECT_NEAR(*fit.hysteresis, std::fabs(fit.b) * 0.2, 1e-12) << sign;
    EXPECT_EQ(calibration_problem(calibration_of(fit, 0.0, 0.0, 0.0)), "") << sign;
  }
}

// Tables a fit goes through but that give no calibration: calibrar writes
// nothing the import would refuse.
TEST(CalibrationFit, TablesThatGiveNoCalibrationAreTold) {
  const std::vector<std::vector<CalibrationReading>> tables = {
      {{0.0, 1e200}, {5.0, 2e200}, {10.0, 3e200}},  // the readings' squares overflow
      {{1e300, 1.0}, {-1e300, 2.0}, {1e300, 3.0}},  // the loads' do
      {{0.0, 100.0}, {1.0, 1e308}, {2.0, -1e308}},  // a slope of 0
      {{0.0, 100.0}, {5.0, 120.0}, {10.0, 80.0}},   // a slope within its own uncertainty
  };
  for (std::size_t k = 0; k < tables.size(); ++k) {
    CalibrationFit fit;
    if (!fit_calibration(tables[k], &fit)) continue;
    EXPECT_NE(calibration_problem(calibration_of(fit, 0.0, 0.0, 0.0)), "") << k;
  }
}

TEST(Coverage, FactorByDegreesOfFreedom) {
  const struct {
    double dof;
    double k;
  } cases[] = {{0.2, 12.706}, {1, 12.706}, {9.7, 2.262}, {23, 2.069}, {29.99, 2.045}, {30, 2.0}, {kInfiniteDof, 2.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(coverage_factor(c.dof), c.k) << c.dof;
  EffectiveDof sum;
  sum.add(1.0, 4.0);
  sum.add(1.0, kInfiniteDof);
  EXPECT_DOUBLE_EQ(sum.of(std::sqrt(2.0)), 16.0);  // 4 / (1 / 4)
}

}  // namespace
