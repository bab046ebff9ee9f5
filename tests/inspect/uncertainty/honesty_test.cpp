// The budget against a stand whose every error is known: firings drawn with
// their calibration tables, run through the functions the commands call
// (the calibration's fit, the conversion of raw readings, the analysis, the
// budget). The true impulse is integrated analytically. The interval
// It +- U must hold it at least as often as it claims, and stay useful.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "inspect/firing/firing.h"
#include "inspect/uncertainty/draws.h"
#include "inspect/uncertainty/firing_uncertainty.h"
#include "support/stand_firing.h"

namespace {

struct Outcome {
  bool held = false;
  double U_share = 0.0;  // U / It
};

// One firing of the stand, its table fitted and its readings converted as
// calibrar and importar --calibracao do, then analysed and its budget made.
Outcome one_firing(Draws& draws) {
  const StandFiring f = draw_stand_firing(draws);
  const CalibratedFiring c = calibrated(f);
  if (!c.ok) return {};
  const FiringAnalysis a = analyse_firing(f.t, c.F);
  if (!a.burn) return {};
  UncertaintyInputs in;
  in.calibration = c.cal;
  const FiringUncertainty u = firing_uncertainty(f.t, c.F, a, in);
  return {std::fabs(a.burn->It - f.truth) <= u.budget.U, u.budget.U / a.burn->It};
}

// U is stated at 95 %. Today it is conservative: the drift of a zero too
// small for the analysis to correct, and the trapezoid's error at 10 Hz, are
// bounded rather than estimated, so the interval holds the truth more often
// than that. It must never hold it less often, nor grow past 3 % of It.
TEST(Honesty, TheIntervalHoldsTheTruthAtLeastAsOftenAsItClaims) {
  constexpr int kFirings = 2000;
  Draws draws(20261209);
  int held = 0;
  std::vector<double> shares;
  for (int n = 0; n < kFirings; ++n) {
    const Outcome o = one_firing(draws);
    held += o.held ? 1 : 0;
    shares.push_back(o.U_share);
  }
  std::nth_element(shares.begin(), shares.begin() + kFirings / 2, shares.end());
  const double coverage = static_cast<double>(held) / kFirings;
  std::printf("coverage %.4f median U/It %.4f\n", coverage, shares[kFirings / 2]);
  EXPECT_GE(coverage, 0.935);
  EXPECT_LE(shares[kFirings / 2], 0.03);
}

}  // namespace
