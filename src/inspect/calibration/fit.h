// The straight line through a load cell's calibration readings: force =
// a + b * reading by least squares on every reading, with the standard
// uncertainties of a and b, the spread of each load's readings, the cell's
// nonlinearity and its hysteresis.
#ifndef TALVIRONESKA_INSPECT_CALIBRATION_FIT_H_
#define TALVIRONESKA_INSPECT_CALIBRATION_FIT_H_

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// One row of a calibration table: the known load, already a force, and what
// the logger read under it.
struct CalibrationReading {
  double load = 0.0;  // N
  double reading = 0.0;
};

// The consecutive rows of one load: one step of the loading or of the
// unloading. The steps up to the first at the top load (the largest in
// size, of either sign) are the loading, those after it the unloading.
struct LoadStep {
  double load = 0.0;  // N
  bool unloading = false;
  std::size_t first = 0;  // its first row
  std::size_t count = 0;
  double mean_reading = 0.0;
  double spread = 0.0;    // sample standard deviation of its readings; 0 for one reading
  double residual = 0.0;  // N: load - (a + b * mean_reading)
};

struct CalibrationFit {
  double a = 0.0;  // N
  double b = 0.0;  // N per unit of the reading
  double u_a = 0.0;
  double u_b = 0.0;
  double cov_ab = 0.0;       // N^2 per unit
  double residual_sd = 0.0;  // N, with n - 2 degrees of freedom
  std::size_t readings = 0;
  std::size_t loads = 0;  // distinct loads
  double top_load = 0.0;  // N, the size of the largest load
  std::vector<LoadStep> steps;
  double nonlinearity = 0.0;  // N: the largest |residual| of a load's mean over every reading of it
  double nonlinearity_load = 0.0;
  std::optional<double> hysteresis;  // N: the largest b * |unloading - loading| at one load; none without unloading
  double hysteresis_load = 0.0;
};

// Loads closer than this share of the top load are one load.
inline constexpr double kSameLoadShare = 1e-9;

// The fit of READINGS in their table's order. False when it cannot be made:
// fewer than three readings, fewer than two loads, or readings that do not
// change with the load.
bool fit_calibration(std::span<const CalibrationReading> readings, CalibrationFit* fit);

#endif  // TALVIRONESKA_INSPECT_CALIBRATION_FIT_H_
