// Firings drawn from a test stand whose every error is known: a load cell
// with a random factor, a bow and a hysteresis loop, reading noise, a logger
// stamping millis() with jitter, a zero that shifts across the burn. The
// cell's calibration table is drawn with it; the true impulse is integrated
// analytically. The end-to-end uncertainty test runs the firings through the
// commands and in-process, and compares the two.
#ifndef TALVIRONESKA_TESTS_SUPPORT_STAND_FIRING_H_
#define TALVIRONESKA_TESTS_SUPPORT_STAND_FIRING_H_

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "inspect/calibration/cal_file.h"
#include "inspect/calibration/fit.h"
#include "inspect/uncertainty/draws.h"

// Which of the stand's errors a firing has; all of them by default.
struct StandErrors {
  bool nonlinearity = true;  // a bow of 0.05 % of full scale at mid-scale
  bool hysteresis = true;    // an unloading that reads up to 0.03 % of full scale high
  bool noise = true;         // 0.02 % of full scale on every reading
  bool jitter = true;        // samples +-1 ms off their nominal time
  bool zero_shift = true;    // the zero moves by 0.5 % of the peak across the burn
};

// A load cell: reading = (F + bow(F) + lag(F)) * gain + offset + noise, full
// scale FS.
struct StandCell {
  double gain = 0.0;  // counts per N
  double offset = 0.0;
  double FS = 0.0;
  StandErrors errors;
  double reading(double F, bool unloading, Draws& draws) const {
    const double x = std::clamp(F / FS, 0.0, 1.0);
    const double bow = errors.nonlinearity ? 0.0005 * FS * 4.0 * x * (1.0 - x) : 0.0;
    const double lag = unloading && errors.hysteresis ? 0.0003 * FS * 4.0 * x * (1.0 - x) : 0.0;
    const double noise = 0.0002 * FS * draws.normal();  // drawn anyway: the other draws stay the same
    return (F + bow + lag + (errors.noise ? noise : 0.0)) * gain + offset;
  }
};

struct StandFiring {
  double peak = 0.0;                      // N
  double duration = 0.0;                  // s, of the half-sine
  double rate = 0.0;                      // Hz, nominal
  std::vector<CalibrationReading> table;  // 5 loads up, 4 down, 3 readings each
  std::vector<double> t;                  // s, the logger's millis() stamps
  std::vector<double> reading;            // the cell's raw readings
  double truth = 0.0;                     // N s, between the true 5 % crossings
};

inline constexpr double kStandStart = 2.0;  // s, ignition

// One firing: a half-sine burn of 10 to 300 N for 0.8 to 3 s from 2 s, logged
// at 10 or 80 Hz with millis() stamps whose samples are jittered by +-1 ms,
// 2 s of zero on each side; its cell (factor 0.5 to 2 times 1000 counts per
// N, full scale 1.2 times the peak) calibrated on 5 loads from 20 to 120 %
// of the peak, loaded then unloaded.
inline StandFiring draw_stand_firing(Draws& draws, const StandErrors& errors = {}) {
  StandFiring f;
  f.peak = 10.0 + 290.0 * draws.uniform();
  f.duration = 0.8 + 2.2 * draws.uniform();
  f.rate = draws.uniform() < 0.5 ? 10.0 : 80.0;
  const StandCell cell{1000.0 * (0.5 + 1.5 * draws.uniform()), 8000.0 * draws.symmetric(), 1.2 * f.peak, errors};
  for (double share : {0.2, 0.45, 0.7, 0.95, 1.2, 0.95, 0.7, 0.45, 0.2}) {
    const bool unloading = f.table.size() >= 15;
    for (int r = 0; r < 3; ++r) f.table.push_back({share * f.peak, cell.reading(share * f.peak, unloading, draws)});
  }
  const double shift = errors.zero_shift ? 0.005 * f.peak : 0.0;
  for (int k = 0; k < static_cast<int>((f.duration + 4.0) * f.rate); ++k) {
    const double jitter = 0.001 * draws.symmetric();
    const double when = k / f.rate + (errors.jitter ? jitter : 0.0);
    const double x = (when - kStandStart) / f.duration;
    const double thrust = x > 0.0 && x < 1.0 ? f.peak * std::sin(std::numbers::pi * x) : 0.0;
    const double zero = shift * std::clamp(x, 0.0, 1.0);
    f.t.push_back(std::floor(when * 1000.0) / 1000.0);
    f.reading.push_back(cell.reading(thrust + zero, x > 0.5, draws));
  }
  // The half-sine between the crossings of 5 % of its peak.
  f.truth = 2.0 * f.peak * f.duration / std::numbers::pi * std::sqrt(1.0 - 0.05 * 0.05);
  return f;
}

// The firing's thrust as calibrar and importar --calibracao make it: the
// table's fit, each reading through it. Nothing when the table does not fit.
struct CalibratedFiring {
  bool ok = false;
  Calibration cal;
  std::vector<double> F;  // N
};

inline CalibratedFiring calibrated(const StandFiring& f) {
  CalibratedFiring c;
  CalibrationFit fit;
  if (!fit_calibration(f.table, &fit)) return c;
  c.cal = calibration_of(fit, 0.0, 0.0, 0.0);
  for (double reading : f.reading) c.F.push_back(c.cal.a + c.cal.b * reading);
  c.ok = true;
  return c;
}

#endif  // TALVIRONESKA_TESTS_SUPPORT_STAND_FIRING_H_
