// The uncertainty of a firing's standard figures: a table of terms, each the
// standard uncertainty it gives the total impulse, combined into u and the
// expanded U = k u at 95 %. A term whose input is missing is listed as such,
// and U then covers only the terms given.
#ifndef TALVIRONESKA_INSPECT_UNCERTAINTY_BUDGET_H_
#define TALVIRONESKA_INSPECT_UNCERTAINTY_BUDGET_H_

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "inspect/calibration/cal_file.h"
#include "inspect/firing/firing.h"

// What the user tells of the stand beyond the log, on the command line of
// every command that reports a budget.
struct StandFigures {
  std::optional<double> u_factor_percent;      // --u-fator: the factor's relative standard uncertainty, data sheet
  std::optional<double> nonlinearity_percent;  // --nao-linearidade: of the peak, data sheet
  std::optional<double> u_clock_ppm;           // --u-relogio: the logger's clock
  std::optional<double> u_propellant_mass;     // --u-massa-propelente: kg, for Is
  bool vertical = false;                       // --vertical: the cell also bears the motor's weight
};

// Why FIGURES cannot go with a calibration file given on the command line
// (CALIBRATION_FILE), in Portuguese; empty when they can. The data sheet's
// factor and nonlinearity stand in for a calibration: beside one they would
// go unused.
std::string stand_figures_problem(const StandFigures& figures, bool calibration_file);

struct UncertaintyInputs : StandFigures {
  std::optional<Calibration> calibration;                // the case's .cal file
  std::optional<double> propellant_mass = std::nullopt;  // kg: --massa, the case's M; for --vertical
  double nominal_rate = 0.0;                             // Hz: the log has no stamps, its times are k / nominal_rate
};

// How far the exhaust speed may stray from its mean during a burn, as a
// share: the bound of the propellant's burnt fraction under --vertical.
inline constexpr double kExhaustSpeedSpread = 0.2;

struct BudgetTerm {
  const char* name;    // stable, for scripts: "calibration", "clock" ...
  const char* label;   // Portuguese, for the report
  bool given = true;   // false: its input is missing ("não informado")
  bool bound = false;  // a bound taken as rectangular, not a normal spread
  double u = 0.0;      // N s, standard uncertainty of the impulse
  double dof = 0.0;    // degrees of freedom; kInfiniteDof for a bound or a known value
  double share = 0.0;  // of u^2, from 0 to 1
};

struct Budget {
  std::vector<BudgetTerm> terms;
  double u = 0.0;  // N s, combined from the terms given
  double dof = 0.0;
  double k = 2.0;
  double U = 0.0;  // N s, k u
  bool complete = true;
  std::vector<std::string> missing;  // the names of the terms not given
  // The other figures' expanded uncertainties, by the same k.
  double U_Fmed = 0.0;  // N
  double U_Fmax = 0.0;  // N
  double U_tq = 0.0;    // s
  // --vertical: the weight of the propellant burnt, which the zero taken off
  // the records does not follow; N s to add to the records' impulse.
  double vertical_correction = 0.0;
  double reading_noise = 0.0;  // N, of one reading
};

// The budget of A's burn over the records (T[i], F[i]) it was found in.
// A must hold a burn. U is that of the impulse corrected by
// vertical_correction (0 without --vertical).
//
// The time base: stamps are read on the logger's clock ("clock",
// --u-relogio). A log without stamps (nominal_rate > 0) has times from the
// rate the user says it was read at; nothing in it measures the real one.
// Its term is then "rate", the nominal rate's standard uncertainty, which
// --u-relogio gives for the clock that paces the readings; not given
// without it.
//
// --vertical: the cell bears the motor, whose weight falls by M g as the
// propellant burns. The mass burnt by time t is taken in proportion to the
// impulse delivered by then (a constant exhaust speed), phi(t); the zero
// the analysis takes off follows a path rho(t) from the zero before to the
// zero after (a line when it corrects the shift, else none). The records'
// impulse is then off by D (int phi - int rho) over the burn, D the
// weight's change on the reading, +-M g, its sign that of the measured
// shift of the zero: the correction is minus that. Its u: the mass's
// (--u-massa-propelente) and the model's, the exhaust speed within
// kExhaustSpeedSpread of its mean taken as a rectangular bound; with no
// zero after the burn the sign is unknown and the correction is a bound.
Budget impulse_budget(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                      const UncertaintyInputs& in);

// The signal A's standard figures were found on: the records above the
// zero the burn counts from, the spikes inside it read through.
Signal burn_signal(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a);

#endif  // TALVIRONESKA_INSPECT_UNCERTAINTY_BUDGET_H_
