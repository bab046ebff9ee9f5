// One firing found in a log of time stamps and thrusts: its zero level, the
// events above it, the burn chosen among them with its standard figures,
// the rate of the stamps, and the window and rate for the program's case.
// The small, stable entry point for every command that looks at a log.
#ifndef TALVIRONESKA_INSPECT_FIRING_FIRING_H_
#define TALVIRONESKA_INSPECT_FIRING_FIRING_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/firing/burn.h"
#include "inspect/firing/events.h"
#include "inspect/firing/sampling.h"
#include "inspect/firing/signal.h"
#include "inspect/firing/window_share.h"
#include "inspect/firing/zero_correction.h"
#include "inspect/firing/zero_level.h"

// What the analysis tells the user about a log, under a stable code that
// scripts may rely on ("zero-shift", "spike", "no-zero-before",
// "inverted-cell" ...), with its text in Portuguese.
struct FiringWarning {
  std::string code;
  std::string text;
};

// A reading set aside before the burn's threshold and peak are taken.
struct SpikeRecord {
  std::size_t record = 0;
  double time = 0.0;    // s
  double thrust = 0.0;  // N, as read
};

struct FiringChoice {
  std::int32_t w = 0;          // the rate the case will use (--rate, the case's w); 0: the measured one
  std::optional<double> from;  // --de, --ate: events are looked for between these times only
  std::optional<double> to;
  std::size_t event = 0;  // --evento N, counted from 1; 0: chosen by shape, then impulse
  bool inverted = false;  // --inverter: the thrust is read mirrored (-F)
};

struct FiringAnalysis {
  bool times_backward = false;  // most steps go back in time: no window can hold the burn
  ZeroLevel zero;
  bool tail_to_end = false;  // the thrust still falls at the end of the log: a tail-off, no zero there
  EventScan scan;
  std::optional<std::size_t> chosen;  // into scan.events
  bool chosen_by_shape = false;       // false: no event has the shape of a burn
  std::size_t burn_like = 0;          // events of burn shape with 10 % of the largest one's impulse or more
  std::optional<Burn> burn;           // the standard figures of the chosen event
  BurnStretch stretch;                // the chosen event with its tail (tail_to_end), when there is a burn
  BurnClass burn_class;
  std::optional<std::size_t> ejection;  // a small event after the burn
  double ejection_delay = 0.0;          // s, from the end of the burn to its start

  Rate rate;             // over the burn
  std::int32_t w = 0;    // the rate used for the window: the choice's, else the nearest integer
  bool window = false;   // a window with ti < tf holds the burn
  double ti = 0.0;       // s: the burn's first record above 5 % of its peak
  double tf = 0.0;       // s: the first record below it after the burn
  std::size_t nmax = 0;  // records inside the window at w

  // The zero on each side of the burn, and what its shift does.
  std::optional<QuietStretch> zero_before;  // a quiet stretch before ignition
  std::optional<QuietStretch> zero_after;   // and after burn-out
  double zero_shift = 0.0;                  // N: after's mean - before's, when both are measured
  double shift_effect = 0.0;                // N s: what the shift changes in the burn's impulse
  std::vector<SpikeRecord> spikes;          // set aside before the threshold and the peak
  bool inverted = false;                    // the log holds a burn below its zero: a cell wired the other way
  std::vector<FiringWarning> warnings;

  // The zero the events and the standard figures count from: constant, or
  // a line from zero_before to zero_after across the burn.
  ZeroCorrection burn_zero;
  std::vector<std::size_t> set_aside;  // the spikes' records inside the burn, read through
};

// The analysis of records (t[i], F[i]), in file order.
FiringAnalysis analyse_firing(std::span<const double> t, std::span<const double> F, const FiringChoice& choice = {});

// The thrust read mirrored (--inverter): every F becomes -F.
void mirror_thrust(std::span<double> F);

// The text of the warning under CODE, or empty.
std::string warning_text(const FiringAnalysis& a, std::string_view code);

#endif  // TALVIRONESKA_INSPECT_FIRING_FIRING_H_
