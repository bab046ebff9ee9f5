#include "inspect/uncertainty/budget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "inspect/uncertainty/class_probability.h"
#include "inspect/uncertainty/coverage.h"
#include "inspect/uncertainty/draws.h"
#include "inspect/uncertainty/firing_uncertainty.h"

namespace {

// A log of a half-sine burn of PEAK newtons for 1 s from 2 s, 5 s long at
// RATE Hz, with what each case adds to it.
struct SyntheticLog {
  std::vector<double> t;
  std::vector<double> F;
};

double burn_shape(double t) { return t > 2.0 && t < 3.0 ? 100.0 * std::sin(std::numbers::pi * (t - 2.0)) : 0.0; }

SyntheticLog synthetic_log(double rate, const std::function<void(SyntheticLog&)>& add = {}) {
  SyntheticLog log;
  for (int k = 0; k < static_cast<int>(5.0 * rate); ++k) {
    log.t.push_back(k / rate);
    log.F.push_back(burn_shape(k / rate));
  }
  if (add) add(log);
  return log;
}

const BudgetTerm& term_named(const Budget& b, const char* name) {
  for (const BudgetTerm& t : b.terms) {
    if (std::string(t.name) == name) return t;
  }
  static const BudgetTerm none{"", "", false, false, -1.0, 0.0, 0.0};
  return none;
}

// Each term alone in a synthetic log: the term within 10 % of its known value.
TEST(Budget, EachTermAloneHasItsKnownValue) {
  Calibration cal;
  cal.b = 0.002;
  cal.u_b = 0.002 * 0.004;  // 0.4 %
  cal.dof = 23;
  cal.gravity = 9.80665;
  cal.u_gravity = 0.015;
  cal.u_masses_rel = 0.0002;
  cal.nonlinearity = 0.3;  // N
  cal.hysteresis = 0.2;    // N
  cal.top_load = 120;
  const double It = 200.0 / std::numbers::pi;  // the half-sine's impulse
  Draws draws(5);
  const double sigma = 0.5;
  const struct {
    const char* name;
    std::function<void(SyntheticLog&)> add;
    UncertaintyInputs in;
    double known;  // N s
  } cases[] = {
      {"calibration", {}, {{}, cal}, It * 0.004},
      {"reference_masses", {}, {{}, cal}, It * 0.0002},
      {"gravity", {}, {{}, cal}, It * 0.015 / 9.80665},
      {"calibration", {}, {{1.0, std::nullopt, std::nullopt, std::nullopt}, std::nullopt}, It * 0.01},
      {"clock", {}, {{std::nullopt, std::nullopt, 5000.0, std::nullopt}, std::nullopt}, It * 0.005},
      // The burn between its 5 % crossings lasts 1 - 2 asin(0.05) / pi s.
      {"nonlinearity", {}, {{}, cal}, 0.3 / std::sqrt(3.0) * (1.0 - 2.0 * std::asin(0.05) / std::numbers::pi)},
      {"hysteresis", {}, {{}, cal}, 0.1 / std::sqrt(3.0) * (1.0 - 2.0 * std::asin(0.05) / std::numbers::pi)},
      // White noise of sigma on 1000 records a second: sigma sqrt(n) / rate.
      {"noise",
       [&](SyntheticLog& log) {
         for (double& F : log.F) F += sigma * draws.normal();
       },
       {},
       sigma * std::sqrt(950.0) / 1000.0},
      // A drift of 0.5 N from before to after, corrected by a line: a rectangle of +-0.25 N over the burn.
      {"zero_shift",
       [&](SyntheticLog& log) {
         for (std::size_t i = 0; i < log.t.size(); ++i) {
           log.F[i] += 0.5 * std::clamp(log.t[i] - 2.0, 0.0, 1.0) + 0.02 * draws.normal();
         }
       },
       {},
       0.25 / std::sqrt(3.0) * (1.0 - 2.0 * std::asin(0.05) / std::numbers::pi)},
  };
  for (const auto& c : cases) {
    const SyntheticLog log = synthetic_log(1000.0, c.add);
    const FiringAnalysis a = analyse_firing(log.t, log.F);
    ASSERT_TRUE(a.burn) << c.name;
    const Budget b = impulse_budget(log.t, log.F, a, c.in);
    const BudgetTerm& term = term_named(b, c.name);
    ASSERT_TRUE(term.given) << c.name;
    EXPECT_NEAR(term.u, c.known, 0.1 * c.known) << c.name;
  }
}

// Stamps that step back inside the burn, every other record (a logger's
// clock read out of turn): such a step adds nothing to the trapezoid, so
// each reading weighs half the step forward next to it, 1.25 ms, and its
// noise reaches the impulse by that weight.
TEST(Budget, TheNoiseTermWeighsTheReadingsAsTheTrapezoidDoes) {
  Draws draws(11);
  const SyntheticLog log = synthetic_log(1000.0, [&](SyntheticLog& log) {
    for (std::size_t k = 0; k < log.t.size(); ++k) {
      if (log.t[k] > 2.2 && log.t[k] < 2.8 && k % 2 == 1) log.t[k] -= 0.0015;
      log.F[k] += 0.5 * draws.normal();
    }
  });
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  ASSERT_TRUE(a.burn);
  ASSERT_TRUE(a.zero_before);
  const Burn& b = *a.burn;
  double sum = 0.0;
  for (std::size_t i = b.first; i <= b.last; ++i) {
    const bool zigzag = log.t[i] > 2.198 && log.t[i] < 2.8;
    const double w = zigzag ? 0.00125 : (i == b.first || i == b.last ? 0.0005 : 0.001);
    sum += w * w;
  }
  const double known = a.zero_before->noise * std::sqrt(sum);
  EXPECT_NEAR(term_named(impulse_budget(log.t, log.F, a, {}), "noise").u, known, 0.02 * known);
}

// The trapezoid at a low rate: the integration term is the trapezoid's
// actual error on the records it integrates, within 10 %.
TEST(Budget, IntegrationTermIsTheTrapezoidsError) {
  for (double rate : {10.0, 20.0, 40.0}) {
    const SyntheticLog log = synthetic_log(rate);
    const FiringAnalysis a = analyse_firing(log.t, log.F);
    ASSERT_TRUE(a.burn);
    const Burn& b = *a.burn;
    double trapezoid = 0.0;
    for (std::size_t i = b.first; i < b.last; ++i) {
      trapezoid += 0.5 * (log.F[i] + log.F[i + 1]) * (log.t[i + 1] - log.t[i]);
    }
    const double exact =
        100.0 / std::numbers::pi *
        (std::cos(std::numbers::pi * (log.t[b.first] - 2.0)) - std::cos(std::numbers::pi * (log.t[b.last] - 2.0)));
    const double known = std::fabs(trapezoid - exact);
    EXPECT_NEAR(term_named(impulse_budget(log.t, log.F, a, {}), "integration").u, known, 0.1 * known) << rate;
  }
}

TEST(Budget, MissingInputsAreNamedAndUCoversTheRest) {
  const SyntheticLog log = synthetic_log(1000.0);
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  const Budget partial = impulse_budget(log.t, log.F, a, {});
  EXPECT_FALSE(partial.complete);
  EXPECT_EQ(partial.missing, (std::vector<std::string>{"calibration", "nonlinearity", "clock"}));
  UncertaintyInputs in;
  in.u_factor_percent = 0.5;
  in.nonlinearity_percent = 0.1;
  in.u_clock_ppm = 100;
  const Budget whole = impulse_budget(log.t, log.F, a, in);
  EXPECT_TRUE(whole.complete);
  double sum = 0.0;
  double shares = 0.0;
  for (const BudgetTerm& t : whole.terms) {
    sum += t.u * t.u;
    shares += t.share;
  }
  EXPECT_NEAR(whole.u, std::sqrt(sum), 1e-12);
  EXPECT_NEAR(shares, 1.0, 1e-12);
  EXPECT_EQ(whole.k, 2.0);
  EXPECT_DOUBLE_EQ(whole.U, 2.0 * whole.u);
  EXPECT_GT(whole.U_Fmax, 0.0);
  EXPECT_GT(whole.U_tq, 0.0);
  // Is = It / (M g0): its relative U from the impulse's and the mass's.
  FiringUncertainty u{whole, {}, 0.0, a.burn->It, 0.001};
  const double rel = std::hypot(whole.u / a.burn->It, 0.001 / 0.05);
  EXPECT_NEAR(specific_impulse_U(u, 120.0, 0.05), 2.0 * 120.0 * rel, 1e-9);
}

// The clock scales the impulse and the burn time alike: their ratio, the
// average thrust, does not move with it, however large it is.
TEST(Budget, TheClockCancelsInTheAverageThrust) {
  const SyntheticLog log = synthetic_log(1000.0);
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  UncertaintyInputs in;
  in.u_factor_percent = 0.5;
  in.u_clock_ppm = 1.0;
  const Budget steady = impulse_budget(log.t, log.F, a, in);
  in.u_clock_ppm = 5000.0;
  const Budget off = impulse_budget(log.t, log.F, a, in);
  EXPECT_GT(off.u, 1.3 * steady.u);
  EXPECT_GT(off.U_tq / off.k, 5.0 * steady.U_tq / steady.k);
  EXPECT_NEAR(off.U_Fmed / off.k, steady.U_Fmed / steady.k, 1e-6 * steady.U_Fmed);
}

// A burn at an end of its log has no zero on that side: the terms that need
// it are not given, and say which zero is missing.
TEST(Budget, TheZeroTermsSayWhichZeroIsMissing) {
  const struct {
    double from;  // s, the part of the synthetic log kept
    double to;
    const char* zero;        // the label of the zero's term, or nullptr when given
    const char* zero_shift;  // of the shift's
  } cases[] = {
      {2.0, 5.0, "antes da queima", "não há zero antes da queima"},
      {0.0, 3.0, nullptr, "não há zero depois da queima"},
  };
  for (const auto& c : cases) {
    const SyntheticLog whole = synthetic_log(1000.0, [](SyntheticLog& log) {
      for (std::size_t k = 0; k < log.F.size(); ++k) log.F[k] += 0.05 * std::sin(1.7 * static_cast<double>(k));
    });
    std::vector<double> t;
    std::vector<double> F;
    for (std::size_t k = 0; k < whole.t.size(); ++k) {
      if (whole.t[k] < c.from - 1e-9 || whole.t[k] > c.to + 1e-9) continue;
      t.push_back(whole.t[k] - c.from);
      F.push_back(whole.F[k]);
    }
    const FiringAnalysis a = analyse_firing(t, F);
    ASSERT_TRUE(a.burn.has_value()) << c.from;
    const Budget b = impulse_budget(t, F, a, {});
    const BudgetTerm& zero = term_named(b, "zero");
    EXPECT_EQ(zero.given, c.zero == nullptr) << c.from;
    if (c.zero != nullptr) {
      EXPECT_NE(std::string(zero.label).find(c.zero), std::string::npos) << zero.label;
    }
    const BudgetTerm& shift = term_named(b, "zero_shift");
    EXPECT_FALSE(shift.given) << c.from;
    EXPECT_NE(std::string(shift.label).find(c.zero_shift), std::string::npos) << c.from << ": " << shift.label;
  }
}

// At It = 80 N s, the boundary of F and G, with symmetric terms: even odds.
TEST(ClassProbability, EvenOddsAtABoundary) {
  Budget budget;
  budget.terms = {{"calibration", "", true, false, 1.5, kInfiniteDof, 0.0},
                  {"nonlinearity", "", true, true, 0.8, kInfiniteDof, 0.0}};
  const std::vector<ClassChance> chances = class_probability(80.0, budget);
  ASSERT_EQ(chances.size(), 2u);
  for (const ClassChance& c : chances) {
    EXPECT_TRUE(c.letter == "F" || c.letter == "G") << c.letter;
    EXPECT_NEAR(c.probability, 0.5, 0.03) << c.letter;
  }
  EXPECT_TRUE(near_class_boundary(79.0, 2.0));
  EXPECT_FALSE(near_class_boundary(60.0, 2.0));
  // The same draws every time.
  EXPECT_EQ(class_probability(79.0, budget)[0].probability, class_probability(79.0, budget)[0].probability);
}

}  // namespace

namespace {

// The mean of a series: the stand's terms stay whole, each firing's own
// shrink with their number.
TEST(MeanUncertainty, StandTermsDoNotAverageOut) {
  const auto firing = [](double stand_u, double own_u, double k, bool complete) {
    FiringUncertainty f;
    f.budget.terms = {{"calibration", "", true, false, stand_u, kInfiniteDof, 0.0},
                      {"noise", "", true, false, own_u, kInfiniteDof, 0.0}};
    f.budget.k = k;
    f.budget.complete = complete;
    return f;
  };
  const struct {
    std::vector<FiringUncertainty> firings;
    double U;
    double k;
    bool complete;
  } cases[] = {
      {{firing(1.0, 0.0, 2.0, true), firing(1.0, 0.0, 2.0, true)}, 2.0, 2.0, true},
      {{firing(0.0, 1.0, 2.0, true), firing(0.0, 1.0, 2.0, true)}, 2.0 * std::sqrt(0.5), 2.0, true},
      {{firing(1.0, 2.0, 2.0, true), firing(3.0, 2.0, 2.2, false), firing(2.0, 2.0, 2.0, true)},
       2.2 * std::sqrt(4.0 + 3.0 * 4.0 / 9.0),
       2.2,
       false},
  };
  for (const auto& c : cases) {
    std::vector<const FiringUncertainty*> list;
    for (const FiringUncertainty& f : c.firings) list.push_back(&f);
    const MeanUncertainty mean = mean_impulse_uncertainty(list);
    EXPECT_NEAR(mean.U, c.U, 1e-12) << c.firings.size();
    EXPECT_EQ(mean.k, c.k);
    EXPECT_EQ(mean.complete, c.complete);
  }
}

}  // namespace
