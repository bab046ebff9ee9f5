// The separate excursions of a log above its zero level, and which of them
// look like a motor firing.
#ifndef TALVIRONESKA_INSPECT_FIRING_EVENTS_H_
#define TALVIRONESKA_INSPECT_FIRING_EVENTS_H_

#include <cstddef>
#include <span>
#include <vector>

#include "inspect/firing/signal.h"

enum class EventShape {
  burn,   // a fast rise (10 % to 90 % of its peak within 30 % of its length), one hump, a slower fall
  spike,  // one or two records, or a few next to a gap in time: a glitch, not thrust
  ramp,   // a slow rise, or a fall much faster than the rise (a hand or a weight on the cell)
  humps,  // several humps in one excursion (chuffing, handling)
};

struct Event {
  std::size_t first = 0;  // records [first, last] above the threshold
  std::size_t last = 0;
  std::size_t peak_record = 0;
  double start = 0.0;  // s, times of first and last
  double end = 0.0;
  double peak = 0.0;     // N above the zero level
  double impulse = 0.0;  // N s above the zero level, trapezoid on the measured times
  double rise = 0.0;     // s from 10 % to 90 % of the peak before it
  double fall = 0.0;     // s from 90 % to 10 % of the peak after it
  int humps = 1;
  bool next_to_gap = false;
  EventShape shape = EventShape::burn;
  std::size_t records() const { return last - first + 1; }
};

struct EventScan {
  double threshold = 0.0;  // N above the zero level; an event ends at half of it
  double highest = 0.0;    // N above the zero level: the log's largest reading
  std::vector<Event> events;
};

inline constexpr double kEventPeakShare = 0.02;

// The excursions of S above max(6 NOISE, PEAK_SHARE of the largest peak
// that is not a spike), each lasting until the thrust falls to half that.
// Dips of one or two records are bridged, and runs a few steps apart
// joined. When the log ends on a flat part END_ABOVE over the zero (from
// record END_FIRST on) above that threshold, the zero has drifted: an event
// running into it ends where the thrust comes down to that part.
EventScan find_events(const Signal& s, double noise, double end_above = 0.0,
                      std::size_t end_first = static_cast<std::size_t>(-1), double peak_share = kEventPeakShare);

// The shape's name in the report ("queima", "pico isolado" ...).
const char* shape_text(EventShape shape);

#endif  // TALVIRONESKA_INSPECT_FIRING_EVENTS_H_
