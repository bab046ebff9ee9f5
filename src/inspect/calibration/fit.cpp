#include "inspect/calibration/fit.h"

#include <algorithm>
#include <cmath>

namespace {

bool same_load(double x, double y, double top) {
  return std::fabs(x - y) <= kSameLoadShare * std::max(std::fabs(top), 1e-300);
}

// The steps of READINGS: runs of one load, the loading up to the first run
// at the top load TOP (signed).
std::vector<LoadStep> load_steps(std::span<const CalibrationReading> readings, double top) {
  std::vector<LoadStep> steps;
  bool past_top = false;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (steps.empty() || !same_load(steps.back().load, readings[i].load, top)) {
      if (!steps.empty() && same_load(steps.back().load, top, top)) past_top = true;
      steps.push_back({readings[i].load, past_top, i, 0, 0.0, 0.0, 0.0});
    }
    LoadStep& s = steps.back();
    ++s.count;
    s.mean_reading += (readings[i].reading - s.mean_reading) / static_cast<double>(s.count);
  }
  for (LoadStep& s : steps) {
    double sum = 0.0;
    for (std::size_t i = s.first; i < s.first + s.count; ++i) {
      sum += (readings[i].reading - s.mean_reading) * (readings[i].reading - s.mean_reading);
    }
    s.spread = s.count > 1 ? std::sqrt(sum / static_cast<double>(s.count - 1)) : 0.0;
  }
  return steps;
}

// The nonlinearity: every reading of a load, loading and unloading, averaged
// and set against the line.
void find_nonlinearity(std::span<const CalibrationReading> readings, CalibrationFit* fit) {
  std::vector<bool> done(fit->steps.size(), false);
  for (std::size_t k = 0; k < fit->steps.size(); ++k) {
    if (done[k]) continue;
    double sum = 0.0;
    std::size_t n = 0;
    for (std::size_t j = k; j < fit->steps.size(); ++j) {
      if (!same_load(fit->steps[j].load, fit->steps[k].load, fit->top_load)) continue;
      done[j] = true;
      for (std::size_t i = fit->steps[j].first; i < fit->steps[j].first + fit->steps[j].count; ++i)
        sum += readings[i].reading;
      n += fit->steps[j].count;
    }
    ++fit->loads;
    const double residual = fit->steps[k].load - (fit->a + fit->b * sum / static_cast<double>(n));
    if (std::fabs(residual) >= fit->nonlinearity) {
      fit->nonlinearity = std::fabs(residual);
      fit->nonlinearity_load = fit->steps[k].load;
    }
  }
}

// The hysteresis: at each load met both loading and unloading, the force
// between the two means.
void find_hysteresis(CalibrationFit* fit) {
  for (const LoadStep& up : fit->steps) {
    if (up.unloading) continue;
    for (const LoadStep& down : fit->steps) {
      if (!down.unloading || !same_load(up.load, down.load, fit->top_load)) continue;
      const double h = std::fabs(fit->b * (down.mean_reading - up.mean_reading));
      if (!fit->hysteresis || h >= *fit->hysteresis) {
        fit->hysteresis = h;
        fit->hysteresis_load = up.load;
      }
    }
  }
}

}  // namespace

bool fit_calibration(std::span<const CalibrationReading> readings, CalibrationFit* fit) {
  *fit = {};
  const std::size_t n = readings.size();
  if (n < 3) return false;
  double mx = 0.0;
  double my = 0.0;
  double top = 0.0;  // the load of the largest size: a table in compression may count its loads below 0
  for (const CalibrationReading& r : readings) {
    mx += r.reading;
    my += r.load;
    if (std::fabs(r.load) > std::fabs(top)) top = r.load;
  }
  fit->top_load = std::fabs(top);
  mx /= static_cast<double>(n);
  my /= static_cast<double>(n);
  double sxx = 0.0;
  double sxy = 0.0;
  for (const CalibrationReading& r : readings) {
    sxx += (r.reading - mx) * (r.reading - mx);
    sxy += (r.reading - mx) * (r.load - my);
  }
  fit->steps = load_steps(readings, top);
  if (!(sxx > 0.0) || fit->steps.size() < 2) return false;
  fit->readings = n;
  fit->b = sxy / sxx;
  fit->a = my - fit->b * mx;
  double ssr = 0.0;
  for (const CalibrationReading& r : readings) {
    const double e = r.load - (fit->a + fit->b * r.reading);
    ssr += e * e;
  }
  const double s2 = ssr / static_cast<double>(n - 2);
  fit->residual_sd = std::sqrt(s2);
  fit->u_b = std::sqrt(s2 / sxx);
  fit->u_a = std::sqrt(s2 * (1.0 / static_cast<double>(n) + mx * mx / sxx));
  fit->cov_ab = -mx * s2 / sxx;
  for (LoadStep& s : fit->steps) s.residual = s.load - (fit->a + fit->b * s.mean_reading);
  find_nonlinearity(readings, fit);
  if (fit->loads < 2) return false;
  find_hysteresis(fit);
  return true;
}
