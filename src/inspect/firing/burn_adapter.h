// The series' one way into the companion's burn code: the standard figures
// of a measured log (5 %-of-peak burn, standard average thrust, designation)
// and the window it suggests.
#ifndef TALVIRONESKA_INSPECT_FIRING_BURN_ADAPTER_H_
#define TALVIRONESKA_INSPECT_FIRING_BURN_ADAPTER_H_

#include <optional>
#include <span>
#include <string>

struct StandardFigures {
  double start = 0.0;       // s, the 5 % rise (ignition) on the measured time scale
  double duration = 0.0;    // s, from the 5 % rise to the 5 % fall
  double It = 0.0;          // N s, over that burn on the measured times
  double Fmed = 0.0;        // N, It / duration
  std::string designation;  // "F66"; empty when It lies outside every class
  double ti = 0.0;          // the suggested window on the measured time scale
  double tf = 0.0;
};

// Of the records (t[i], F[i]); nothing when the log holds fewer than two
// records or no thrust above zero.
std::optional<StandardFigures> standard_figures(std::span<const double> t, std::span<const double> F);

// The designation of a motor of impulse IT and average thrust FMED; empty
// outside every class.
std::string designation_of(double It, double Fmed);

#endif  // TALVIRONESKA_INSPECT_FIRING_BURN_ADAPTER_H_
