// The class's draws on the burn's perturbed records.
#include "inspect/uncertainty/record_draws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "inspect/firing/firing.h"
#include "inspect/uncertainty/class_probability.h"
#include "inspect/uncertainty/coverage.h"
#include "inspect/uncertainty/draws.h"

namespace {

struct Log {
  std::vector<double> t;
  std::vector<double> F;
};

// A half-sine burn of 1 s from 2 s in a 5 s log at RATE Hz, with noise of
// SIGMA, scaled so that its standard impulse is IT.
Log burn_log(double rate, double sigma, double It) {
  Log log;
  Draws draws(11);
  for (int k = 0; k < static_cast<int>(5.0 * rate); ++k) {
    const double x = k / rate - 2.0;
    log.t.push_back(k / rate);
    log.F.push_back((x > 0.0 && x < 1.0 ? 100.0 * std::sin(std::numbers::pi * x) : 0.0) + sigma * draws.normal());
  }
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  for (double& F : log.F) F *= It / a.burn->It;
  return log;
}

Budget budget_of(double scale_u, double offset_u, double clock_u, double other_u, double noise) {
  Budget b;
  b.terms = {{"calibration", "", true, false, scale_u, kInfiniteDof, 0.0},
             {"nonlinearity", "", true, true, offset_u, kInfiniteDof, 0.0},
             {"clock", "", true, false, clock_u, kInfiniteDof, 0.0},
             {"noise", "", true, false, 0.0, kInfiniteDof, 0.0},
             {"integration", "", true, false, other_u, kInfiniteDof, 0.0}};
  b.reading_noise = noise;
  return b;
}

// Whole and windowed, the draws rerun on the records: with nothing drawn
// they give the analysis's impulse; their spread is the terms' combined,
// noise and all; the same draws every time.
TEST(RecordDraws, TheRedrawnImpulseSpreadsAsTheTerms) {
  for (double rate : {1000.0, 40000.0}) {
    const Log log = burn_log(rate, 0.2, 60.0);
    const FiringAnalysis a = analyse_firing(log.t, log.F);
    ASSERT_TRUE(a.burn) << rate;
    const Burn& b = *a.burn;
    RecordModel quiet = record_model(log.t, log.F, a, budget_of(0.0, 0.0, 0.0, 0.0, 0.0));
    EXPECT_EQ(quiet.whole, rate < 2000.0);
    Draws random(1);
    EXPECT_NEAR(redrawn_impulse(quiet, {}, random), b.It, 1e-9 * b.It) << rate;

    // The noise's own u on the trapezoid: sigma times the root sum of the weights' squares.
    const double noise_u = 0.2 * std::sqrt(b.duration / rate);
    const Budget budget = budget_of(0.3, 0.2, 0.1, 0.15, 0.2);
    const double u = std::sqrt(0.3 * 0.3 + 0.2 * 0.2 + 0.1 * 0.1 + 0.15 * 0.15 + noise_u * noise_u);
    RecordModel m = record_model(log.t, log.F, a, budget);
    double sum = 0.0;
    double squares = 0.0;
    const int n = 4000;
    for (int k = 0; k < n; ++k) {
      const double x = redrawn_impulse(m, draw_terms(budget, b.It, b.duration, random), random) - b.It;
      sum += x;
      squares += x * x;
    }
    const double mean = sum / n;
    EXPECT_NEAR(mean, 0.0, 0.1 * u) << rate;
    EXPECT_NEAR(std::sqrt(squares / n - mean * mean), u, 0.1 * u) << rate;
  }
}

// At It = 80 N s, the boundary of F and G: even odds on the records, and
// the same figures on every run.
TEST(RecordDraws, EvenOddsAtABoundary) {
  for (double rate : {1000.0, 40000.0}) {
    const Log log = burn_log(rate, 0.1, 80.0);
    const FiringAnalysis a = analyse_firing(log.t, log.F);
    ASSERT_NEAR(a.burn->It, 80.0, 1e-9);
    const Budget budget = budget_of(1.0, 0.5, 0.05, 0.1, 0.1);
    const std::vector<ClassChance> chances = class_probability(log.t, log.F, a, budget);
    ASSERT_EQ(chances.size(), 2u) << rate;
    for (const ClassChance& c : chances) {
      EXPECT_TRUE(c.letter == "F" || c.letter == "G") << c.letter;
      EXPECT_NEAR(c.probability, 0.5, 0.03) << rate << " " << c.letter;
    }
    const std::vector<ClassChance> again = class_probability(log.t, log.F, a, budget);
    ASSERT_EQ(again.size(), chances.size());
    for (std::size_t i = 0; i < again.size(); ++i) {
      EXPECT_EQ(again[i].letter, chances[i].letter);
      EXPECT_EQ(again[i].probability, chances[i].probability);
    }
  }
}

}  // namespace
