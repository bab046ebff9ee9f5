// The burn found in the measured records by the usual rule: from the first
// to the last crossing of 5 % of the peak thrust, interpolated.
#ifndef TALVIRONESKA_TOOLS_INSPECT_BURN_H_
#define TALVIRONESKA_TOOLS_INSPECT_BURN_H_

#include <cstddef>
#include <optional>
#include <span>

#include "tools/inspect/thrust_records.h"

inline constexpr double kBurnThresholdShare = 0.05;

struct Burn {
  std::size_t peak = 0;       // first record holding the largest thrust
  double Fmax = 0.0;
  double threshold = 0.0;     // 5 % of Fmax
  std::size_t first = 0;      // first record of the burn at or above the threshold
  std::size_t last = 0;       // last record of the burn at or above the threshold
  bool ends_in_file = false;  // a record below the threshold follows `last`
  double start = 0.0;         // the interpolated crossings; the record's own
  double end = 0.0;           //   time where no record lies beyond it
  double duration = 0.0;      // end - start
  double It = 0.0;            // trapezoid on the measured times from start to end
  double Fmed = 0.0;          // It / duration
  std::size_t outside = 0;    // records at or above the threshold outside the burn
};

// The burn around the peak. Around the threshold the thrust of a noisy
// record goes up and down: dips below it shorter than 1 % of the run of
// records around the peak are taken as noise and bridged; anything farther
// away (an early spike, the ejection charge) is outside the burn. Nothing
// when fewer than two records are given or no thrust is above zero.
std::optional<Burn> find_burn(std::span<const ThrustRecord> records);

// The suggested window: ti the time of the burn's first record, tf that of
// the first record below the threshold after it (the last record's time when
// the burn runs to the end of the file).
double suggested_ti(std::span<const ThrustRecord> records, const Burn& burn);
double suggested_tf(std::span<const ThrustRecord> records, const Burn& burn);

#endif  // TALVIRONESKA_TOOLS_INSPECT_BURN_H_
