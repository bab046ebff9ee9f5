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
};

struct UncertaintyInputs : StandFigures {
  std::optional<Calibration> calibration;  // the case's .cal file
};

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
};

// The budget of A's burn over the records (T[i], F[i]) it was found in.
// A must hold a burn.
Budget impulse_budget(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                      const UncertaintyInputs& in);

#endif  // TALVIRONESKA_INSPECT_UNCERTAINTY_BUDGET_H_
