#include "analysis/figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/curve.h"
#include "analysis/impulse_class.h"
#include "io/os_file.h"
#include "io/severe_error.h"

namespace {

RunContext filled(double ti, double tf, double M, std::int32_t w, std::int32_t nmax) {
  RunContext rc;
  rc.ti = ti;
  rc.tf = tf;
  rc.M = M;
  rc.w = w;
  rc.nmax = nmax;
  rc.t.reset(new double[nmax]);
  rc.F.reset(new double[nmax]);
  compute_parameter_figures(rc);
  return rc;
}

}  // namespace

TEST(Figures, CompleteRun) {
  RunContext rc = filled(0.1, 0.4, 0.002, 10, 10);
  const double records[][2] = {{0.1, 0.0}, {0.2, 4.0}, {0.3, 6.0}, {0.4, 1.0}};
  for (const auto& r : records) ASSERT_TRUE(keep_point(rc, r[0], r[1]));
  compute_integral_figures(rc);
  classify(rc);
  EXPECT_EQ(rc.nc, 4);
  EXPECT_EQ(rc.dt, 0.1);
  EXPECT_DOUBLE_EQ(rc.tq, 0.3);
  EXPECT_DOUBLE_EQ(rc.fm, 6.666666666666667);
  EXPECT_DOUBLE_EQ(rc.It, 1.05);
  EXPECT_DOUBLE_EQ(rc.Fmed, 3.5);
  EXPECT_DOUBLE_EQ(rc.c, 525.0);
  EXPECT_NEAR(rc.Is, 53.53510, 5e-6);
  EXPECT_EQ(rc.Fmax, 6.0);
  EXPECT_EQ(rc.tmax, 0.3);
  EXPECT_EQ(rc.Fmin, 0.0);
  EXPECT_EQ(std::string(rc.classe.data(), 4), "1/2A");
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(curve_time(rc, k), (k - 1) * 0.1) << k;
}

TEST(Figures, TrapezoidOperationOrder) {
  RunContext rc = filled(0.0, 0.3, 1.0, 10, 4);
  for (const double F : {0.0, 10.0, 10.0, 0.0}) keep_point(rc, 0.0, F);
  compute_integral_figures(rc);
  double expected = 0.0;
  expected += ((10.0 + 0.0) * 0.1) / 2.0;
  expected += ((10.0 + 10.0) * 0.1) / 2.0;
  expected += ((0.0 + 10.0) * 0.1) / 2.0;
  EXPECT_EQ(rc.It, expected);
}

TEST(Figures, CutOffExtremesAndTies) {
  RunContext rc = filled(1.0, 2.0, 1.0, 1000, 8);
  rc.Fcor = 0.5;
  const double records[][2] = {{1.2345, -0.2}, {1.2355, 0.5}, {1.2365, 7.0}, {1.2375, 7.0}, {1.2385, 0.7}};
  for (const auto& r : records) keep_point(rc, r[0], r[1]);
  EXPECT_EQ(rc.F[0], 0.5);
  EXPECT_EQ(rc.F[1], 0.5);
  EXPECT_EQ(rc.F[4], 0.7);
  EXPECT_EQ(curve_time(rc, 3), 2 * 0.001);
  EXPECT_EQ(rc.Fmin, 0.5);
  EXPECT_EQ(rc.Fmax, 7.0);
  EXPECT_EQ(rc.tmax, 1.2365);
}

TEST(Figures, EmptyAndSinglePointCurves) {
  RunContext none = filled(0.0, 1.0, 1.0, 10, 0);
  EXPECT_FALSE(keep_point(none, 0.0, 1.0));
  compute_integral_figures(none);
  EXPECT_EQ(none.nc, 0);
  EXPECT_EQ(none.It, 0.0);
  EXPECT_EQ(none.Fmin, 0.0);
  EXPECT_EQ(none.Fmax, 0.0);

  RunContext one = filled(0.0, 1.0, 1.0, 10, 1);
  one.Fcor = -10.0;
  keep_point(one, 0.05, -3.0);
  compute_integral_figures(one);
  EXPECT_EQ(one.It, 0.0);
  EXPECT_EQ(one.Fmin, -3.0);
  EXPECT_EQ(one.Fmax, 0.0);
  EXPECT_EQ(one.tmax, 0.0);
}

TEST(Figures, UnguardedDivisions) {
  RunContext rc = filled(1.0, 1.0, 0.0, 10, 2);
  EXPECT_TRUE(std::isnan(rc.fm));  // 0 / 0
  compute_integral_figures(rc);
  EXPECT_TRUE(std::isnan(rc.Fmed));
  EXPECT_TRUE(std::isnan(rc.c));
  RunContext hot = filled(1.0, 1.0, 0.5, 10, 2);
  EXPECT_TRUE(std::isinf(hot.fm));
}

TEST(Figures, NonPositiveRateIsRejected) {
  for (const std::int32_t w : {0, -5}) {
    RunContext rc;
    rc.w = w;
    const std::string name = "caso.txt";
    std::copy(name.begin(), name.end(), rc.parameter_file_name.begin());
    std::fill(rc.parameter_file_name.begin() + name.size(), rc.parameter_file_name.end(), ' ');
    try {
      compute_parameter_figures(rc);
      ADD_FAILURE() << w;
    } catch (const SevereError& e) {
      EXPECT_EQ(e.number(), kErrConversion);
      EXPECT_EQ(e.text(), "acquisition frequency w = " + std::to_string(w) + " must be positive, unit 6, file " +
                              os_full_path("caso.txt"));
    }
  }
}
