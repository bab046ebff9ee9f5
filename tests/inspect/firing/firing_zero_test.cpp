// The one analysis on logs whose zero, spikes, cell or stamps once made
// the commands disagree: the zero on each side of the burn, the events
// against it, the spikes set aside, an inverted cell, the rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "inspect/firing/firing.h"
#include "support/stand_firing.h"

namespace {

// A burn from T0: a rise to PEAK in RISE s, a fall to 80 % of it by 80 % of
// LENGTH, then to zero at LENGTH.
double burn(double t, double t0, double peak, double rise, double length) {
  const double x = t - t0;
  if (x <= 0.0 || x >= length) return 0.0;
  if (x < rise) return peak * x / rise;
  if (x < 0.8 * length) return peak * (1.0 - 0.2 * (x - rise) / (0.8 * length - rise));
  return peak * 0.8 * (length - x) / (0.2 * length);
}

double burn_impulse(double peak, double rise, double length) {
  return peak * rise / 2 + 0.9 * peak * (0.8 * length - rise) + 0.8 * peak * 0.2 * length / 2;
}

struct Log {
  std::vector<double> t;
  std::vector<double> F;
};

// Records every 1/RATE s over [0, DURATION) of SHAPE plus +-NOISE.
Log sampled(double rate, double duration, const std::function<double(double)>& shape, double noise = 0.05) {
  Log log;
  unsigned state = 12345;
  for (std::size_t i = 0; static_cast<double>(i) / rate < duration; ++i) {
    state = state * 1103515245u + 12345u;
    const double n = noise * (static_cast<double>((state >> 16) & 0x7fff) / 16383.5 - 1.0);
    const double t = static_cast<double>(i) / rate;
    log.t.push_back(t);
    log.F.push_back(shape(t) + n);
  }
  return log;
}

// The real log that fooled the check: the zero at +0.2 N with 1 N bumps
// while the stand was handled, -0.8 N after the burn (37 N, 2.8 s), and a
// minute before it one record of 257 N followed by 0.42 s of nothing.
Log shifting_zero_and_glitch() {
  Log log = sampled(50, 200, [](double t) {
    double zero = t < 120.0 ? 0.2 : t > 122.8 ? -0.8 : 0.2 - (t - 120.0) / 2.8;
    if (std::fmod(t, 20.0) > 10.0 && std::fmod(t, 20.0) < 10.6 && t < 100.0) zero += 1.0;
    return zero + burn(t, 120, 37, 0.2, 2.8);
  });
  Log kept;
  for (std::size_t i = 0; i < log.t.size(); ++i) {
    if (log.t[i] > 60.0 && log.t[i] < 60.42) continue;
    kept.t.push_back(log.t[i]);
    kept.F.push_back(std::fabs(log.t[i] - 60.0) < 1e-9 ? 257.0 : log.F[i]);
  }
  return kept;
}

bool has_warning(const FiringAnalysis& a, const std::string& code) { return !warning_text(a, code).empty(); }

TEST(FiringSignal, SpikesReadThroughAndForwardStepsOnly) {
  const std::vector<double> t = {0.0, 1.0, 2.0, 3.0, 4.0, 4.0, 3.5, 5.0};
  const std::vector<double> F = {1.0, 1.0, 90.0, 91.0, 5.0, 5.0, 5.0, 5.0};
  const std::vector<std::size_t> spikes = {2, 3};
  Signal s = constant_zero(t, F, 1.0);
  s.spikes = spikes;
  // Records 2 and 3 read as the line from record 1 (0 N above the zero) to
  // record 4 (4 N).
  EXPECT_DOUBLE_EQ(above(s, 2), 4.0 / 3.0);
  EXPECT_DOUBLE_EQ(above(s, 3), 8.0 / 3.0);
  // 0 to 4 s: a triangle of 4 N over 3 s after 1 s at 0; the repeated stamp
  // and the step back add nothing; 3.5 to 5 s at 4 N adds 6.
  EXPECT_DOUBLE_EQ(stamped_area(s, 0, 4), 6.0);
  EXPECT_DOUBLE_EQ(stamped_area(s, 0, 7), 12.0);
  // A line from 1 N to 3 N between 1 s and 3 s: it takes 1 N s off 1 s to 3 s,
  // and 2 N s a second after.
  ZeroCorrection line{1.0, 3.0, 1.0, 3.0};
  EXPECT_DOUBLE_EQ(zero_rise(line, 0.0, 3.0), 2.0);
  EXPECT_DOUBLE_EQ(zero_rise(line, 0.0, 4.0), 4.0);
}

struct ZeroCase {
  const char* name;
  Log log;
  double before;                   // N, the zero before ignition; NAN: none
  double after;                    // N, after burn-out; NAN: none
  double It;                       // N s, the standard impulse within 1 %
  double start;                    // s, the 5 % rise within 0.05 s
  std::vector<std::string> codes;  // warnings expected
};

TEST(FiringZero, MeasuredOnEachSideOfTheBurn) {
  const double It23 = burn_impulse(37, 0.2, 2.8);
  // clang-format off
  const ZeroCase cases[] = {
      {"0.3 s before ignition, a 9 s burn", sampled(1000, 12, [](double t) { return burn(t, 0.3, 60, 0.05, 9); }),
       0.0, 0.0, burn_impulse(60, 0.05, 9), 0.3, {}},
      {"0.5 kg left on the cell", sampled(100, 8, [](double t) { return 4.903 + burn(t, 3, 30, 0.1, 1.6); }),
       4.903, 4.903, burn_impulse(30, 0.1, 1.6), 3.0, {}},
      {"the zero shifts across the burn", shifting_zero_and_glitch(), 0.2, -0.8, It23, 120.0,
       {"zero-shift", "spike"}},
      {"a burn from the first record", sampled(100, 6, [](double t) { return burn(t + 0.5, 0, 40, 0.1, 2); }),
       NAN, 0.0, 0.0, 0.0, {"no-zero-before"}},
  };
  // clang-format on
  for (const ZeroCase& c : cases) {
    const FiringAnalysis a = analyse_firing(c.log.t, c.log.F);
    ASSERT_TRUE(a.burn) << c.name;
    EXPECT_EQ(a.zero_before.has_value(), !std::isnan(c.before)) << c.name;
    if (a.zero_before && !std::isnan(c.before)) {
      EXPECT_NEAR(a.zero_before->mean, c.before, 0.03) << c.name;
    }
    EXPECT_EQ(a.zero_after.has_value(), !std::isnan(c.after)) << c.name;
    if (a.zero_after && !std::isnan(c.after)) {
      EXPECT_NEAR(a.zero_after->mean, c.after, 0.03) << c.name;
    }
    if (a.zero_before && a.zero_after) {
      EXPECT_NEAR(a.zero_shift, a.zero_after->mean - a.zero_before->mean, 1e-12) << c.name;
    }
    if (c.It > 0.0) {
      EXPECT_NEAR(a.burn->It, c.It, 0.01 * c.It) << c.name;
      EXPECT_NEAR(a.burn->start, c.start, 0.05) << c.name;
    }
    for (const std::string& code : c.codes) EXPECT_TRUE(has_warning(a, code)) << c.name << ": " << code;
    for (const FiringWarning& w : a.warnings) {
      EXPECT_NE(std::find(c.codes.begin(), c.codes.end(), w.code), c.codes.end()) << c.name << ": " << w.text;
    }
  }
}

TEST(FiringZero, AShiftingZeroLeavesTheBurnItsOwnEventAndWindow) {
  const Log log = shifting_zero_and_glitch();
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  ASSERT_TRUE(a.burn && a.chosen);
  EXPECT_TRUE(a.chosen_by_shape);
  EXPECT_EQ(a.scan.events[*a.chosen].shape, EventShape::burn);
  EXPECT_NEAR(a.burn->Fmax, 37.0 + 0.2 - (a.burn->peak_time - 120.0) / 2.8 - a.burn_zero.before, 0.5);
  EXPECT_GT(a.ti, 119.9);
  EXPECT_LT(a.tf, 123.0);
  ASSERT_EQ(a.spikes.size(), 1u);
  EXPECT_EQ(a.spikes[0].time, 60.0);
  EXPECT_EQ(a.spikes[0].thrust, 257.0);
  // The line takes off what the zero after would have left in: half the
  // shift over the burn.
  EXPECT_NEAR(a.shift_effect, 0.5 * 1.0 * a.burn->duration, 0.1);
}

struct SpikeCase {
  const char* name;
  double at;      // s
  double thrust;  // N, the reading
  std::size_t set_aside;
};

TEST(FiringSpikes, SetAsideBeforeTheThresholdAndThePeak) {
  // clang-format off
  const SpikeCase cases[] = {
      {"4 times the peak long before the burn", 1.0, 480.0, 0},
      {"500 N in mid-burn", 4.0, 500.0, 1},
      {"500 N after burn-out", 9.0, 500.0, 0},
      {"twice the peak: thrust, not a spike", 4.0, 240.0, 0},
  };
  // clang-format on
  const Log clean = sampled(1000, 12, [](double t) { return burn(t, 3, 120, 0.1, 3); });
  const FiringAnalysis reference = analyse_firing(clean.t, clean.F);
  ASSERT_TRUE(reference.burn);
  for (const SpikeCase& c : cases) {
    Log log = clean;
    const auto i = static_cast<std::size_t>(std::lround(c.at * 1000));
    log.F[i] = c.thrust;
    const FiringAnalysis a = analyse_firing(log.t, log.F);
    ASSERT_TRUE(a.burn) << c.name;
    EXPECT_EQ(a.set_aside.size(), c.set_aside) << c.name;
    if (c.thrust >= 3.0 * 120.0) {
      ASSERT_EQ(a.spikes.size(), 1u) << c.name;
      EXPECT_EQ(a.spikes[0].record, i) << c.name;
      EXPECT_TRUE(has_warning(a, "spike")) << c.name;
      EXPECT_NEAR(a.burn->Fmax, reference.burn->Fmax, 1e-9) << c.name;
      EXPECT_NEAR(a.burn->It, reference.burn->It, 1e-3 * reference.burn->It) << c.name;
      EXPECT_NEAR(a.ti, reference.ti, 1e-9) << c.name;
      EXPECT_NEAR(a.tf, reference.tf, 1e-9) << c.name;
    } else {
      EXPECT_TRUE(a.spikes.empty()) << c.name;
      EXPECT_EQ(a.burn->Fmax, c.thrust) << c.name;
    }
  }
}

TEST(FiringEvents, HandlingPulsesBeforeIgnitionAreNotTheBurn) {
  // A 10 Hz HX711: the stand pressed by hand twice, two minutes before
  // ignition, with more impulse than the burn.
  const Log log = sampled(10, 200, [](double t) {
    if (t > 20 && t < 26) return 25 * (t - 20) / 6;  // slow, and let go at once
    if (t > 30 && t < 36) return 25 * (t - 30) / 6;
    return burn(t, 150, 37, 0.3, 2.8);
  });
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  ASSERT_TRUE(a.burn);
  EXPECT_NEAR(a.burn->start, 150.0, 0.2);
  EXPECT_NEAR(a.burn->It, burn_impulse(37, 0.3, 2.8), 0.03 * burn_impulse(37, 0.3, 2.8));
  EXPECT_EQ(a.w, 10);
}

TEST(FiringInverted, AMirroredBurnIsNamedAndReadBackWithTheChoice) {
  Log log = sampled(100, 8, [](double t) { return -burn(t, 3, 30, 0.1, 1.6); });
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  EXPECT_TRUE(a.inverted);
  EXPECT_TRUE(has_warning(a, "inverted-cell"));
  EXPECT_NE(warning_text(a, "inverted-cell").find("--inverter"), std::string::npos);

  mirror_thrust(log.F);
  FiringChoice choice;
  choice.inverted = true;
  const FiringAnalysis b = analyse_firing(log.t, log.F, choice);
  EXPECT_FALSE(b.inverted);
  ASSERT_TRUE(b.burn);
  EXPECT_NEAR(b.burn->It, burn_impulse(30, 0.1, 1.6), 0.01 * burn_impulse(30, 0.1, 1.6));

  // A burn read mirrored when it was not: named the other way round.
  mirror_thrust(log.F);
  const FiringAnalysis c = analyse_firing(log.t, log.F, choice);
  EXPECT_TRUE(c.inverted);
  EXPECT_NE(warning_text(c, "inverted-cell").find("sem --inverter"), std::string::npos);
}

// Steps of 10 ms, and one of 2 s at 0.5 s.
std::vector<int> pauses() {
  std::vector<int> steps(50, 10);
  steps.push_back(2000);
  steps.insert(steps.end(), 1000, 10);
  return steps;
}

struct RateCase {
  const char* name;
  std::vector<int> steps_ms;  // repeated
  std::int32_t w;
};

TEST(FiringRate, OneEstimatorForEveryCommand) {
  // clang-format off
  const RateCase cases[] = {
      {"millis() at 80 Hz: 12 and 13 ms", {12, 13}, 80},
      {"100 Hz", {10}, 100},
      {"12, 13 and 13 ms", {12, 13, 13}, 79},
      {"10 ms with a 2 s pause", pauses(), 100},
  };
  // clang-format on
  for (const RateCase& c : cases) {
    Log log;
    long ms = 0;
    for (std::size_t k = 0; ms < 8000; ++k) {
      log.t.push_back(ms / 1000.0);
      log.F.push_back(burn(ms / 1000.0, 3, 30, 0.1, 2));
      ms += c.steps_ms[k % c.steps_ms.size()];
    }
    const FiringAnalysis a = analyse_firing(log.t, log.F);
    ASSERT_TRUE(a.burn) << c.name;
    EXPECT_EQ(a.w, c.w) << c.name;
    EXPECT_EQ(a.rate.w, c.w) << c.name;
  }
}

// A stand's firings at 10 and 80 Hz: the burn's last step down leaves one
// record of thrust under the events' threshold, then the zero lies flat,
// 0.5 % of the peak up. That is a zero after the burn, never a tail-off.
TEST(FiringZero, AFlatZeroAfterTheLastStepDownIsNoTail) {
  Draws draws(20261209);
  int tails = 0;
  int without_zero_after = 0;
  for (int k = 0; k < 2000; ++k) {
    const StandFiring f = draw_stand_firing(draws);
    const CalibratedFiring c = calibrated(f);
    ASSERT_TRUE(c.ok) << k;
    const FiringAnalysis a = analyse_firing(f.t, c.F);
    ASSERT_TRUE(a.burn) << k;
    tails += a.tail_to_end ? 1 : 0;
    without_zero_after += a.zero_after ? 0 : 1;
  }
  EXPECT_EQ(tails, 0);
  EXPECT_EQ(without_zero_after, 0);
}

}  // namespace
