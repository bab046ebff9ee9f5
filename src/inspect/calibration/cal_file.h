// The calibration file (.cal) that calibrar writes and the import reads:
// short "chave = valor" lines with Portuguese comments, Windows-1252, CR LF,
// numbers with a decimal point in their shortest exact form.
#ifndef TALVIRONESKA_INSPECT_CALIBRATION_CAL_FILE_H_
#define TALVIRONESKA_INSPECT_CALIBRATION_CAL_FILE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "inspect/calibration/fit.h"

// What a firing needs of its load cell's calibration: force (N) = a + b *
// reading, with the uncertainties the budget takes.
struct Calibration {
  double a = 0.0;  // N
  double b = 0.0;  // N per unit of the reading
  double u_a = 0.0;
  double u_b = 0.0;
  double cov_ab = 0.0;
  double dof = 0.0;  // of the fit: readings - 2
  double residual_sd = 0.0;
  double nonlinearity = 0.0;         // N
  std::optional<double> hysteresis;  // N; none when the table had no unloading
  double top_load = 0.0;             // N
  std::size_t loads = 0;
  std::size_t readings = 0;
  double gravity = 0.0;       // m/s^2, used for masses; 0 when the loads were forces
  double u_gravity = 0.0;     // m/s^2
  double u_masses_rel = 0.0;  // relative standard uncertainty of the reference masses
  std::string table;          // the table's file name, for the reader (Windows-1252)
};

// The calibration of FIT, its loads made forces by GRAVITY (0 for loads in
// N) known to U_GRAVITY, the reference masses to U_MASSES_REL.
Calibration calibration_of(const CalibrationFit& fit, double gravity, double u_gravity, double u_masses_rel);

// No value of a calibration is this large: a larger one is no load cell's,
// and its square would overflow the budget's sums.
inline constexpr double kLargestCalValue = 1e100;

// Why C cannot be a load cell's calibration, in Portuguese; empty when it
// can. A value is NaN or beyond kLargestCalValue; an uncertainty, the
// nonlinearity, the hysteresis, the spread of the residuals or gravity is
// negative; b is not larger than its standard uncertainty (a slope not told
// from zero), the masses' or gravity's uncertainty not smaller than its
// value; fewer than 1 degree of freedom, or no top load.
std::string calibration_problem(const Calibration& c);

// The file's bytes.
std::string cal_file_text(const Calibration& c);

// Reads TEXT, the bytes of a .cal file, into *C. Lines are "chave = valor",
// comments from '#', ended by CR LF, LF or CR, after a UTF-8 byte order mark
// if any; unknown keys are passed over. False with *PROBLEM, in Portuguese,
// for a line that is neither, a value that is no number, a key given twice
// (which one would hold is no guess to make), a missing key, or values that
// calibration_problem() refuses.
bool parse_cal_file(std::string_view text, Calibration* c, std::string* problem);

// The same for the file NAME (never changed), its bytes into *TEXT.
bool read_cal_file(const std::string& name, Calibration* c, std::string* text, std::string* problem);

#endif  // TALVIRONESKA_INSPECT_CALIBRATION_CAL_FILE_H_
