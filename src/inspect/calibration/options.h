// The command line of talvironeska-inspect calibrar.
#ifndef TALVIRONESKA_INSPECT_CALIBRATION_OPTIONS_H_
#define TALVIRONESKA_INSPECT_CALIBRATION_OPTIONS_H_

#include <optional>
#include <string>

#include "inspect/calibration/table.h"
#include "inspect/common/command_line.h"

// Standard gravity, m/s^2, and the spread of gravity over the Earth's
// surface taken as a rectangle around it when no local value is given.
inline constexpr double kStandardGravityValue = 9.80665;
inline constexpr double kGravityHalfRange = 0.026;

struct CalibrationOptions {
  std::string table;               // the calibration table
  std::string cal_file;            // --cal
  LoadUnit unit = LoadUnit::none;  // --carga
  std::optional<double> gravity;   // --gravidade, m/s^2
  double u_masses_percent = 0.0;   // --u-massas-padrao, %
  bool replace = false;            // --substituir
};

extern const CommandLineRules<CalibrationOptions> kCalibrationCommandLine;

extern const CommandText kCalibrationText;

#endif  // TALVIRONESKA_INSPECT_CALIBRATION_OPTIONS_H_
