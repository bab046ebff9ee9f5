// The thrust the stand reads with no thrust on it: before ignition and after
// burn-out.
#ifndef TALVIRONESKA_TOOLS_INSPECT_ZERO_OFFSET_H_
#define TALVIRONESKA_TOOLS_INSPECT_ZERO_OFFSET_H_

#include <cstddef>
#include <optional>
#include <span>

#include "tools/inspect/burn.h"
#include "tools/inspect/thrust_records.h"

struct QuietStretch {
  double from = 0.0;  // s, first and last record time
  double to = 0.0;
  std::size_t count = 0;  // records used, after the outliers were set aside
  double mean = 0.0;      // N
  double noise = 0.0;     // N, standard deviation around the mean
};

// Records farther than 10 % of the burn from it; at least 10 of them.
// Spikes (an igniter, the ejection charge) are set aside by three rounds of
// dropping records more than 5 noise widths from the mean.
std::optional<QuietStretch> before_ignition(std::span<const ThrustRecord> records, const Burn& burn);
std::optional<QuietStretch> after_burnout(std::span<const ThrustRecord> records, const Burn& burn);

// An offset worth a warning: above 3 noise widths and above 0.5 % of the
// peak (smaller ones change the impulse by well under 1 %).
bool offset_is_clear(const QuietStretch& stretch, double Fmax);

#endif  // TALVIRONESKA_TOOLS_INSPECT_ZERO_OFFSET_H_
