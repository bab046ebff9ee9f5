// The budget's honesty: firings drawn from a stand whose every error is
// known, run through the functions the commands call (the calibration's fit,
// the conversion of raw readings, the analysis, the budget). The interval
// It +- U must hold the true impulse, integrated analytically, as often as
// it claims to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "inspect/calibration/cal_file.h"
#include "inspect/calibration/fit.h"
#include "inspect/firing/firing.h"
#include "inspect/uncertainty/draws.h"
#include "inspect/uncertainty/firing_uncertainty.h"

namespace {

// A load cell: reading = (F + bow(F) + lag(F)) * gain + offset + noise, full
// scale FS; the bow is 0.05 % of FS at mid-scale, the lag of an unloading
// 0.03 % of FS, the noise 0.02 % of FS.
struct Cell {
  double gain = 0.0;  // counts per N
  double offset = 0.0;
  double FS = 0.0;
  double reading(double F, bool unloading, Draws& draws) const {
    const double x = std::clamp(F / FS, 0.0, 1.0);
    const double bow = 0.0005 * FS * 4.0 * x * (1.0 - x);
    const double lag = unloading ? 0.0003 * FS * 4.0 * x * (1.0 - x) : 0.0;
    return (F + bow + lag + 0.0002 * FS * draws.normal()) * gain + offset;
  }
};

struct Outcome {
  bool held = false;
  double U_share = 0.0;  // U / It
};

// One firing: a half-sine burn of PEAK for DURATION from 1 s, logged at RATE
// with millis() stamps jittered by +-1 ms, a zero that shifts by 0.5 % of the
// peak across the burn, and its cell calibrated on 5 loads from 20 to 120 %
// of the peak, loaded then unloaded.
Outcome one_firing(Draws& draws) {
  const double peak = 10.0 + 290.0 * draws.uniform();
  const double duration = 0.8 + 2.2 * draws.uniform();
  const double rate = draws.uniform() < 0.5 ? 10.0 : 80.0;
  const Cell cell{1000.0 * (0.5 + 1.5 * draws.uniform()), 8000.0 * draws.symmetric(), 1.2 * peak};

  std::vector<CalibrationReading> table;
  for (double share : {0.2, 0.45, 0.7, 0.95, 1.2, 0.95, 0.7, 0.45, 0.2}) {
    const bool unloading = table.size() >= 15;
    for (int r = 0; r < 3; ++r) table.push_back({share * peak, cell.reading(share * peak, unloading, draws)});
  }
  CalibrationFit fit;
  if (!fit_calibration(table, &fit)) return {};
  const Calibration cal = calibration_of(fit, 0.0, 0.0, 0.0);

  const double start = 2.0;
  const double shift = 0.005 * peak;
  std::vector<double> t;
  std::vector<double> F;
  for (int k = 0; k < static_cast<int>((duration + 4.0) * rate); ++k) {
    const double when = k / rate + 0.001 * draws.symmetric();
    const double x = (when - start) / duration;
    const double thrust = x > 0.0 && x < 1.0 ? peak * std::sin(M_PI * x) : 0.0;
    const double zero = shift * std::clamp(x, 0.0, 1.0);
    t.push_back(std::floor(when * 1000.0) / 1000.0);
    F.push_back(cal.a + cal.b * cell.reading(thrust + zero, x > 0.5, draws));
  }
  const FiringAnalysis a = analyse_firing(t, F);
  if (!a.burn) return {};
  UncertaintyInputs in;
  in.calibration = cal;
  const FiringUncertainty u = firing_uncertainty(t, F, a, in);
  // The true impulse between the true 5 % crossings.
  const double truth = 2.0 * peak * duration / M_PI * std::sqrt(1.0 - 0.05 * 0.05);
  return {std::fabs(a.burn->It - truth) <= u.budget.U, u.budget.U / a.burn->It};
}

TEST(Honesty, TheIntervalHoldsTheTruthAsOftenAsItClaims) {
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
  EXPECT_LE(coverage, 0.965);
  EXPECT_LE(shares[kFirings / 2], 0.03);
}

}  // namespace
