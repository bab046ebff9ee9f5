#include "inspect/series/checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "inspect/series/stats.h"

namespace {

TEST(SeriesStats, MeanAndBothDeviationsByHand) {
  static const struct {
    std::vector<double> values;
    double mean, sd, sd_population;
    // clang-format off
  } cases[] = {
      {{40, 41, 39, 40, 42, 38, 40, 41, 39, 40}, 40.0, std::sqrt(12.0 / 9.0), std::sqrt(12.0 / 10.0)},
      {{932.5, 1000, 1067.5}, 1000.0, 67.5, std::sqrt(2.0 * 67.5 * 67.5 / 3.0)},
      {{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1150}, 1015.0, std::sqrt(0.1) * 150.0,
       std::sqrt(0.09) * 150.0},
      // A large common offset: a one-pass sum of squares loses the spread.
      {{1e9 + 1, 1e9 + 2, 1e9 + 3}, 1e9 + 2, 1.0, std::sqrt(2.0 / 3.0)},
  };
  // clang-format on
  for (const auto& c : cases) {
    const FigureStats s = figure_stats(c.values);
    EXPECT_NEAR(s.mean, c.mean, 1e-12 * c.mean) << c.mean;
    EXPECT_NEAR(s.sd, c.sd, 1e-9 * c.sd) << c.mean;
    EXPECT_NEAR(s.sd_population, c.sd_population, 1e-9 * c.sd) << c.mean;
    EXPECT_NEAR(s.cv, c.sd / c.mean, 1e-9 * c.sd / c.mean) << c.mean;
  }
  const double one[] = {5.0};
  const FigureStats s = figure_stats(one);
  EXPECT_EQ(s.mean, 5.0);
  EXPECT_EQ(s.sd_population, 0.0);
  EXPECT_TRUE(std::isnan(s.sd));  // no sample deviation from one firing
}

// Outcomes in CheckKind order: spread, lot limit, count, model It, model
// Fmed, model M; P passed, F failed, N not applicable.
std::string outcomes(const Certification& cert) {
  std::string text;
  for (const Check& c : cert.checks) {
    text += c.outcome == CheckOutcome::passed ? 'P' : c.outcome == CheckOutcome::failed ? 'F' : 'N';
  }
  return text;
}

TEST(SeriesChecks, CertificationOfHandMadeSeries) {
  const std::vector<double> ten_model{40, 41, 39, 40, 42, 38, 40, 41, 39, 40};
  static const struct {
    const char* name;
    std::vector<double> It, Fmed, M;
    bool model_motor;
    const char* outcomes;
    std::vector<std::size_t> lot_failing, impulse_failing;
    // clang-format off
  } cases[] = {
      {"ten model motors within every limit", ten_model, std::vector<double>(10, 30.0),
       std::vector<double>(10, 0.040), true, "PPPPPP", {}, {}},
      {"high power within limits", {1000, 1010, 990}, {500, 500, 500}, {0.5, 0.5, 0.5}, false, "PPPNNN", {}, {}},
      // sigma = 67.5 of 1000: over 6.7 %, though the population sigma (55.1) is not.
      {"sigma just over 6.7 %", {932.5, 1000, 1067.5}, {500, 500, 500}, {0.5, 0.5, 0.5}, false, "FPPNNN", {}, {}},
      {"sigma exactly 6.7 %", {933, 1000, 1067}, {500, 500, 500}, {0.5, 0.5, 0.5}, false, "PPPNNN", {}, {}},
      // 1150 is 13.3 % above the mean 1015; sigma 4.7 % passes.
      {"one firing outside the lot limit",
       {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1150}, std::vector<double>(10, 500.0),
       std::vector<double>(10, 0.5), false, "PFPNNN", {9}, {}},
      {"too few model motor firings", {40, 41, 39}, {30, 30, 30}, {0.04, 0.04, 0.04}, true, "PPFPPP", {}, {}},
      // Mean 158 N s is a model motor, but the third firing exceeds 160 N s.
      {"one firing above the model impulse", {150, 158, 166}, {70, 70, 70}, {0.1, 0.1, 0.1}, true, "PPFFPP", {}, {2}},
      {"unknown propellant mass", {40, 41, 39}, {30, 30, 30}, {0, 0, 0}, true, "PPFPPN", {}, {}},
      // Within the impulse and thrust limits, but 200 g of propellant: high
      // power, two firings suffice, the lot limit stays at 20 %.
      {"high power by its propellant", {40, 48}, {30, 30}, {0.2, 0.2}, false, "FPPNNN", {}, {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    const Certification cert = certify({c.It, c.Fmed, c.M});
    ASSERT_EQ(cert.checks.size(), 6u) << c.name;
    EXPECT_EQ(cert.model_motor, c.model_motor) << c.name;
    EXPECT_EQ(outcomes(cert), c.outcomes) << c.name;
    EXPECT_EQ(cert.checks[1].failing, c.lot_failing) << c.name;
    EXPECT_EQ(cert.checks[3].failing, c.impulse_failing) << c.name;
    EXPECT_EQ(cert.passed(), std::string(c.outcomes).find('F') == std::string::npos) << c.name;
  }
}

TEST(SeriesChecks, LimitsFollowTheMeanImpulseAndCategory) {
  // Up to 160 N s the lot limit is 20 %; ten firings for a model motor, two otherwise.
  const Certification model =
      certify({std::vector<double>{100, 100}, std::vector<double>{50, 50}, std::vector<double>{0.05, 0.05}});
  EXPECT_EQ(model.checks[1].limit, 0.20);
  EXPECT_EQ(model.checks[2].limit, 10.0);
  const Certification high =
      certify({std::vector<double>{4800, 4900}, std::vector<double>{1400, 1500}, std::vector<double>{2.56, 2.56}});
  EXPECT_EQ(high.checks[1].limit, 0.10);
  EXPECT_EQ(high.checks[2].limit, 2.0);
  EXPECT_NEAR(high.checks[1].value, 50.0 / 4850.0, 1e-15);
}

}  // namespace
