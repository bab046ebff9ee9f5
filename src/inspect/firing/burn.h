// The standard figures of one firing: the burn between the crossings of 5 %
// of its peak thrust (interpolated), its impulse, average thrust and
// designation. The inspector, the firing series and the import all use it.
#ifndef TALVIRONESKA_INSPECT_FIRING_BURN_H_
#define TALVIRONESKA_INSPECT_FIRING_BURN_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "inspect/firing/motor_class.h"
#include "inspect/firing/signal.h"

inline constexpr double kBurnThresholdShare = 0.05;
// Dips below the threshold shorter than this share of the burn are bridged.
inline constexpr double kBridgedShare = 0.01;

struct Burn {
  double zero = 0.0;          // N, subtracted from every thrust before the figures
  std::size_t peak = 0;       // first record holding the largest thrust
  double peak_time = 0.0;     // s, its time
  double Fmax = 0.0;          // N above the zero
  double threshold = 0.0;     // 5 % of Fmax, above the zero
  std::size_t first = 0;      // first record of the burn at or above the threshold
  std::size_t last = 0;       // last record of the burn at or above the threshold
  bool ends_in_file = false;  // a record below the threshold follows `last`
  double start = 0.0;         // the interpolated crossings; the record's own time
  double end = 0.0;           //   where no record lies beyond it or the range searched cuts the burn
  double duration = 0.0;      // end - start
  double It = 0.0;            // trapezoid on the measured times from start to end
  double Fmed = 0.0;          // It / duration
  std::size_t outside = 0;    // records at or above the threshold in [from, to] but outside the burn
};

// The time where the thrust crosses LEVEL between records (TA, FA) and
// (TB, FB), linearly; TB when they are level: the burn's start and end.
double crossing(double ta, double Fa, double tb, double Fb, double level);

// The burn around the largest thrust of records [FROM, TO] (all when TO is
// past the end), thrust taken above ZERO. Around the threshold the thrust of
// a noisy record goes up and down: dips below it shorter than 1 % of the
// run of records around the peak are bridged. Nothing when fewer than two
// records are given or no thrust is above the zero.
std::optional<Burn> find_burn(std::span<const double> t, std::span<const double> F, double zero = 0.0,
                              std::size_t from = 0, std::size_t to = static_cast<std::size_t>(-1));
// The same on S: its zero (Burn::zero is the zero before ignition), its
// spikes set aside.
std::optional<Burn> find_burn(const Signal& s, std::size_t from, std::size_t to);

// Class and designation ("F66") of a burn: nothing when It is beyond the bands.
struct BurnClass {
  std::optional<MotorClass> motor_class;
  std::string designation;
};
BurnClass classify_burn(const Burn& burn);

// The suggested window: ti the time of the burn's first record, tf that of
// the first record below the threshold after it (when the burn runs to the
// end of the file, the last record but one: the program's reading needs a
// record after tf to end).
double suggested_ti(std::span<const double> t, const Burn& burn);
double suggested_tf(std::span<const double> t, const Burn& burn);

#endif  // TALVIRONESKA_INSPECT_FIRING_BURN_H_
