// The budget's time base for a log without stamps, and the weight of the
// propellant burnt on a vertical stand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "inspect/firing/firing.h"
#include "inspect/uncertainty/budget.h"
#include "inspect/uncertainty/draws.h"
#include "inspect/uncertainty/firing_uncertainty.h"

namespace {

const BudgetTerm* term_named(const Budget& b, const char* name) {
  for (const BudgetTerm& t : b.terms) {
    if (std::strcmp(t.name, name) == 0) return &t;
  }
  return nullptr;
}

// A front-loaded burn from 2 s to 3 s (the mass goes early, unlike the
// straight line between the zeros), 5 s at 1 kHz.
double thrust(double t) {
  const double x = t - 2.0;
  return x > 0.0 && x < 1.0 ? 100.0 * std::sin(std::numbers::pi * x) * (1.6 - x) : 0.0;
}

struct VerticalLog {
  std::vector<double> t;
  std::vector<double> F;      // as the cell reads it
  std::vector<double> clean;  // the thrust alone
};

// The cell reads the thrust, the motor's weight W0 and, as the propellant
// burns in proportion to the impulse, CHANGE times the share burnt; DRIFT
// N/s of the cell's own, and noise.
VerticalLog vertical_log(double change, double drift, Draws& draws) {
  VerticalLog log;
  double total = 0.0;
  for (int k = 1; k < 5000; ++k) total += 0.5 * (thrust((k - 1) / 1000.0) + thrust(k / 1000.0)) / 1000.0;
  double burnt = 0.0;
  for (int k = 0; k < 5000; ++k) {
    const double t = k / 1000.0;
    if (k > 0) burnt += 0.5 * (thrust((k - 1) / 1000.0) + thrust(t)) / 1000.0;
    log.t.push_back(t);
    log.clean.push_back(thrust(t));
    log.F.push_back(thrust(t) + 3.0 + change * burnt / total + drift * t + 0.01 * draws.normal());
  }
  return log;
}

// The correction against what the weight actually took off the impulse:
// the standard impulse of the thrust alone less that of the cell's
// readings, within 10 %, whichever way the motor stands and with a drift
// of the cell's own that the zero line rightly takes off.
TEST(VerticalStand, TheCorrectionIsTheWeightsKnownEffect) {
  const struct {
    double mass;    // kg
    double change;  // N: the weight's change on the reading, as the motor stands
    double drift;   // N/s
  } cases[] = {
      {0.05, -0.05 * 9.80665, 0.0},  // pressing on the cell: the zero falls
      {0.05, 0.05 * 9.80665, 0.0},   // hanging from it: the zero rises
      {0.20, -0.20 * 9.80665, 0.0}, {0.05, -0.05 * 9.80665, 0.05},
      {0.01, -0.01 * 9.80665, 0.0},  // too little for the analysis to draw a line
  };
  Draws draws(17);
  for (const auto& c : cases) {
    const VerticalLog log = vertical_log(c.change, c.drift, draws);
    const FiringAnalysis a = analyse_firing(log.t, log.F);
    ASSERT_TRUE(a.burn) << c.mass;
    std::vector<double> drifted = log.clean;
    for (std::size_t i = 0; i < drifted.size(); ++i) drifted[i] += c.drift * log.t[i];
    const FiringAnalysis truth = analyse_firing(log.t, drifted);
    const double known = truth.burn->It - a.burn->It;
    UncertaintyInputs in;
    in.vertical = true;
    in.propellant_mass = c.mass;
    in.u_propellant_mass = 0.1 * c.mass;
    const Budget b = impulse_budget(log.t, log.F, a, in);
    EXPECT_NEAR(b.vertical_correction, known, 0.1 * std::fabs(known)) << c.mass << " " << c.change << " " << c.drift;
    const BudgetTerm* term = term_named(b, "vertical");
    ASSERT_NE(term, nullptr);
    EXPECT_TRUE(term->given);
    // The mass's 10 % and the model's bound: the correction's actual error
    // well inside the term's coverage.
    EXPECT_GT(term->u, 0.1 * std::fabs(known));
    EXPECT_LT(std::fabs(b.vertical_correction - known), 2.0 * term->u);
    // The impulse stated with U is the corrected one.
    EXPECT_DOUBLE_EQ(firing_uncertainty(log.t, log.F, a, in).It, a.burn->It + b.vertical_correction);
    // The weight's share of the zero's shift is not counted again as the
    // cell's drift: without a drift of its own, the shift's term all but goes.
    in.vertical = false;
    const double as_drift = term_named(impulse_budget(log.t, log.F, a, in), "zero_shift")->u;
    const double left = term_named(b, "zero_shift")->u;
    EXPECT_LE(left, as_drift) << c.mass << " " << c.drift;
    if (c.drift == 0.0) {
      EXPECT_LT(left, 0.2 * as_drift) << c.mass;
    }
  }
}

// No zero after the burn: which way the weight went is unknown, nothing is
// corrected and the term bounds it; no mass: the term is not given; no
// --vertical: no term.
TEST(VerticalStand, WithoutAZeroAfterOrAMassTheTermSaysSo) {
  Draws draws(3);
  VerticalLog log = vertical_log(-0.5, 0.0, draws);
  UncertaintyInputs in;
  in.vertical = true;
  in.propellant_mass = 0.05;
  const FiringAnalysis whole = analyse_firing(log.t, log.F);
  const double known = -impulse_budget(log.t, log.F, whole, in).vertical_correction;
  log.t.resize(3001);  // the log ends as the burn does
  log.F.resize(3001);
  const FiringAnalysis cut = analyse_firing(log.t, log.F);
  ASSERT_TRUE(cut.burn);
  const Budget b = impulse_budget(log.t, log.F, cut, in);
  EXPECT_EQ(b.vertical_correction, 0.0);
  ASSERT_NE(term_named(b, "vertical"), nullptr);
  EXPECT_GT(term_named(b, "vertical")->u, 0.4 * std::fabs(known));

  in.propellant_mass.reset();
  const Budget no_mass = impulse_budget(log.t, log.F, cut, in);
  ASSERT_NE(term_named(no_mass, "vertical"), nullptr);
  EXPECT_FALSE(term_named(no_mass, "vertical")->given);
  EXPECT_EQ(no_mass.missing.back(), "vertical");
  in.vertical = false;
  EXPECT_EQ(term_named(impulse_budget(log.t, log.F, cut, in), "vertical"), nullptr);
}

// A log without stamps has its times from the nominal rate: its time base is
// the "rate" term, from the clock that paces the readings, in place of the
// stamps' clock; not given without it.
TEST(TimeBase, ALogWithoutStampsHasTheNominalRatesTerm) {
  Draws draws(9);
  const VerticalLog log = vertical_log(0.0, 0.0, draws);
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  ASSERT_TRUE(a.burn);
  const struct {
    double nominal_rate;
    std::optional<double> ppm;
    const char* present;
    const char* absent;
    bool given;
  } cases[] = {
      {0.0, 200.0, "clock", "rate", true},
      {0.0, std::nullopt, "clock", "rate", false},
      {1000.0, 200.0, "rate", "clock", true},
      {1000.0, std::nullopt, "rate", "clock", false},
  };
  for (const auto& c : cases) {
    UncertaintyInputs in;
    in.nominal_rate = c.nominal_rate;
    in.u_clock_ppm = c.ppm;
    const Budget b = impulse_budget(log.t, log.F, a, in);
    const BudgetTerm* term = term_named(b, c.present);
    ASSERT_NE(term, nullptr) << c.present;
    EXPECT_EQ(term_named(b, c.absent), nullptr) << c.absent;
    EXPECT_EQ(term->given, c.given) << c.present;
    if (c.given) {
      EXPECT_NEAR(term->u, a.burn->It * 200e-6, 1e-12) << c.present;
    }
    const bool missing = std::find(b.missing.begin(), b.missing.end(), c.present) != b.missing.end();
    EXPECT_EQ(missing, !c.given) << c.present;
    EXPECT_GT(b.U_tq, 0.0);
  }
}

}  // namespace
