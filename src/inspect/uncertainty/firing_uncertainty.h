// What every command reports of a firing's uncertainty: its budget, the
// chance of each class when the interval reaches into another, and the
// report's lines for them.
#ifndef TALVIRONESKA_INSPECT_UNCERTAINTY_FIRING_UNCERTAINTY_H_
#define TALVIRONESKA_INSPECT_UNCERTAINTY_FIRING_UNCERTAINTY_H_

#include <span>
#include <string>
#include <vector>

#include "inspect/common/outcome.h"
#include "inspect/uncertainty/budget.h"
#include "inspect/uncertainty/class_probability.h"

struct FiringUncertainty {
  Budget budget;
  std::vector<ClassChance> classes;         // empty unless It +- U reaches into a neighbouring class
  double calibration_top_load = 0.0;        // N, the calibration's; 0 without one
  double It = 0.0;                          // N s, the burn's, whose budget this is: with --vertical, corrected
  std::optional<double> u_propellant_mass;  // kg
};

// The expanded uncertainty of IS (s), the specific impulse of propellant mass
// M (kg): the impulse's relative u and the mass's, by the impulse's k; Is's
// U from the impulse alone without --u-massa-propelente.
double specific_impulse_U(const FiringUncertainty& u, double Is, double M);

// The uncertainty of A's burn (A must hold one) over its records.
FiringUncertainty firing_uncertainty(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                                     const UncertaintyInputs& in);

// The expanded uncertainty of the mean impulse of a series fired on one
// stand: the terms of the stand (its scale, its cell, its clock) move every
// firing alike and do not average out, the others (zero, noise, sampling)
// are each firing's own and shrink with their number. k is the largest of
// the firings'; complete when every firing's budget is.
struct MeanUncertainty {
  double U = 0.0;  // N s
  double k = 2.0;
  bool complete = true;
};
MeanUncertainty mean_impulse_uncertainty(std::span<const FiringUncertainty* const> firings);

// "P(F) = 0.93; P(G) = 0.07".
std::string class_chances_text(const std::vector<ClassChance>& classes);

// The report's lines: each figure with its U, the table of terms, what U
// leaves out, the classes' chances; a warning when the calibration's top
// load is below half of the peak.
void report_uncertainty(Report& out, const FiringUncertainty& u, const Burn& b);

#endif  // TALVIRONESKA_INSPECT_UNCERTAINTY_FIRING_UNCERTAINTY_H_
