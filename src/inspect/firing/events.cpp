#include "inspect/firing/events.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kNoiseWidths = 6.0;
constexpr std::size_t kBridgedRecords = 2;
constexpr double kBridgedSteps = 20.0;    // runs closer than this many steps, and
constexpr double kBridgedTime = 0.1;      // than this (s), are one event
constexpr double kShortestBridge = 0.02;  // s, however fast the sampling
constexpr double kGapSteps = 5.0;         // a longer step is a gap in the stamps
constexpr double kReleaseShare = 0.5;     // an event ends below this share of the threshold
constexpr double kFastRiseShare = 0.3;
constexpr double kSlowestFallShare = 0.5;  // of the rise: a faster fall is a drop

// Runs of records that rise above LEVEL and last until the thrust falls to
// RELEASE or below (a slow crossing in noise is one run, not many), short
// dips bridged; each with its peak in .peak.
std::vector<Event> runs_above(const Signal& s, double level, double release) {
  std::vector<Event> runs;
  const std::size_t n = s.F.size();
  std::size_t i = 0;
  while (i < n) {
    if (!(above(s, i) > level)) {
      ++i;
      continue;
    }
    Event e;
    e.first = i;
    e.peak = above(s, i);
    std::size_t last = i;
    while (i < n) {
      const double x = above(s, i);
      if (x > release) {
        e.peak = std::max(e.peak, x);
        last = i++;
        continue;
      }
      std::size_t j = i;
      while (j < n && !(above(s, j) > release) && j - i < kBridgedRecords) ++j;
      if (j < n && above(s, j) > release) {
        i = j;
        continue;
      }
      break;
    }
    e.last = last;
    i = last + 1;
    runs.push_back(e);
  }
  return runs;
}

// Runs closer than BRIDGE in time, with no gap in the stamps between them,
// become one event (the ringing of an ejection charge); a run of one or two
// records far above its neighbour (a glitch) never joins.
std::vector<Event> join_close_runs(const std::vector<Event>& runs, std::span<const double> t, double bridge,
                                   double gap) {
  auto glitch_next_to = [](const Event& e, const Event& other) {
    return e.records() <= 2 && e.peak > 2.0 * other.peak;
  };
  std::vector<Event> joined;
  for (const Event& run : runs) {
    if (!joined.empty()) {
      Event& before = joined.back();
      bool close = t[run.first] - t[before.last] <= bridge;
      for (std::size_t i = before.last; close && i < run.first; ++i) close = t[i + 1] - t[i] <= gap;
      if (close && !glitch_next_to(run, before) && !glitch_next_to(before, run)) {
        before.last = run.last;
        before.peak = std::max(before.peak, run.peak);
        continue;
      }
    }
    joined.push_back(run);
  }
  return joined;
}

double median_step(std::span<const double> t) {
  if (t.size() < 2) return 0.0;
  const std::size_t stride = (t.size() - 1) / 200000 + 1;
  std::vector<double> d;
  for (std::size_t i = 0; i + 1 < t.size(); i += stride) d.push_back(std::fabs(t[i + 1] - t[i]));
  auto middle = d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2);
  std::nth_element(d.begin(), middle, d.end());
  return *middle;
}

void measure(Event& e, const Signal& s, double step) {
  const std::span<const double> t = s.t;
  auto above = [&](std::size_t i) { return ::above(s, i); };
  e.start = t[e.first];
  e.end = t[e.last];
  e.peak_record = e.first;
  e.peak = above(e.first);
  for (std::size_t i = e.first; i <= e.last; ++i) {
    if (above(i) > e.peak) {
      e.peak_record = i;
      e.peak = above(i);
    }
  }
  // The impulse counts from the records on either side, below the threshold.
  const std::size_t from = e.first > 0 ? e.first - 1 : e.first;
  const std::size_t to = e.last + 1 < s.F.size() ? e.last + 1 : e.last;
  e.impulse = stamped_area(s, from, to);

  const double p10 = 0.1 * e.peak;
  const double p90 = 0.9 * e.peak;
  std::size_t r10 = e.first;
  while (r10 < e.peak_record && above(r10) < p10) ++r10;
  std::size_t r90 = r10;
  while (r90 < e.peak_record && above(r90) < p90) ++r90;
  e.rise = t[r90] - t[r10];
  std::size_t f10 = e.last;
  while (f10 > e.peak_record && above(f10) < p10) --f10;
  std::size_t f90 = f10;
  while (f90 > e.peak_record && above(f90) < p90) --f90;
  e.fall = t[f10] - t[f90];

  // Humps: climbs above 60 % of the peak after a dip below 30 % of it.
  e.humps = 0;
  bool low = true;
  for (std::size_t i = e.first; i <= e.last; ++i) {
    const double x = above(i);
    if (low && x > 0.6 * e.peak) {
      ++e.humps;
      low = false;
    } else if (!low && x < 0.3 * e.peak) {
      low = true;
    }
  }
  const double gap = kGapSteps * step;
  e.next_to_gap =
      (e.first > 0 && t[e.first] - t[e.first - 1] > gap) || (e.last + 1 < t.size() && t[e.last + 1] - t[e.last] > gap);

  const double length = e.end - e.start;
  if (e.records() <= 2 || (e.next_to_gap && e.records() <= 5)) {
    e.shape = EventShape::spike;
  } else if (e.humps > 1) {
    e.shape = EventShape::humps;
  } else if (e.rise > kFastRiseShare * length || e.fall < kSlowestFallShare * e.rise) {
    e.shape = EventShape::ramp;
  } else {
    e.shape = EventShape::burn;
  }
}

}  // namespace

EventScan find_events(const Signal& s, double noise, double end_above, std::size_t end_first, double peak_share) {
  EventScan scan;
  const std::size_t n = s.F.size();
  if (n < 2) return scan;
  const double step = median_step(s.t);
  auto detect = [&](double peak) {
    scan.threshold = std::max(kNoiseWidths * noise, peak_share * peak);
    const double bridge = std::max({2.0 * step, std::min(kBridgedSteps * step, kBridgedTime), kShortestBridge});
    const double release = kReleaseShare * scan.threshold;
    scan.events = join_close_runs(runs_above(s, scan.threshold, release), s.t, bridge, kGapSteps * step);
    const bool drifted = end_first < n && end_above > scan.threshold;
    for (Event& e : scan.events) {
      if (drifted && e.last >= end_first) {
        while (e.last > e.first && !(above(s, e.last) > end_above + scan.threshold)) --e.last;
      }
      measure(e, s, step);
    }
  };
  if (s.spikes.empty() && s.zero.before == s.zero.after) {
    scan.highest = *std::max_element(s.F.begin(), s.F.end()) - s.zero.before;
  } else {
    scan.highest = above(s, 0);
    for (std::size_t i = 1; i < n; ++i) scan.highest = std::max(scan.highest, above(s, i));
  }
  detect(scan.highest);
  // A glitch far above the burn would raise the threshold into the burn.
  double peak = 0.0;
  for (const Event& e : scan.events) {
    if (e.shape != EventShape::spike) peak = std::max(peak, e.peak);
  }
  if (peak > 0.0 && std::fabs(std::max(kNoiseWidths * noise, peak_share * peak) - scan.threshold) > 0.0) detect(peak);
  return scan;
}

const char* shape_text(EventShape shape) {
  switch (shape) {
    case EventShape::burn: return "forma de queima";
    case EventShape::spike: return "pico isolado (leitura espúria)";
    case EventShape::ramp: return "rampa lenta ou queda brusca (mão ou peso na célula?)";
    case EventShape::humps: return "várias corcovas";
  }
  return "";
}
