#include "inspect/firing/spikes.h"

#include <algorithm>

namespace {

// The largest thrust that KEEP consecutive records of [first, last] all
// reach: no run of fewer records can raise it.
double sustained_peak(const Signal& s, std::size_t first, std::size_t last, std::size_t keep) {
  keep = std::min({keep, last - first + 1, kWidestSpike + 1});
  double window[kWidestSpike + 1] = {};
  double peak = 0.0;
  for (std::size_t j = first; j <= last; ++j) {
    window[(j - first) % keep] = above(s, j);
    if (j + 1 < first + keep) continue;
    peak = std::max(peak, *std::min_element(window, window + keep));
  }
  return peak;
}

struct Run {
  std::size_t first;
  std::size_t last;
  double peak;
};

// Runs of at most kWidestSpike records of [from, to] at LEVEL or above.
std::vector<Run> short_runs_above(const Signal& s, std::size_t from, std::size_t to, double level) {
  std::vector<Run> runs;
  std::size_t i = from;
  while (i <= to) {
    if (!(above(s, i) >= level)) {
      ++i;
      continue;
    }
    Run r{i, i, above(s, i)};
    while (r.last < to && above(s, r.last + 1) >= level) r.peak = std::max(r.peak, above(s, ++r.last));
    if (r.last - r.first + 1 <= kWidestSpike) runs.push_back(r);
    i = r.last + 1;
  }
  return runs;
}

}  // namespace

std::vector<std::size_t> find_spikes(const Signal& s, std::size_t from, std::size_t to, std::size_t first,
                                     std::size_t last) {
  std::vector<std::size_t> spikes;
  const double sustained = sustained_peak(s, first, last, kWidestSpike + 1);
  if (!(sustained > 0.0)) return spikes;
  const std::vector<Run> runs = short_runs_above(s, from, to, kSpikeTimesPeak * sustained);
  if (runs.empty()) return spikes;
  // The burn's peak without the candidates.
  double peak = 0.0;
  auto candidate = [&](std::size_t i) {
    return std::any_of(runs.begin(), runs.end(), [i](const Run& r) { return r.first <= i && i <= r.last; });
  };
  for (std::size_t i = first; i <= last; ++i) {
    if (above(s, i) > peak && !candidate(i)) peak = above(s, i);
  }
  for (const Run& r : runs) {
    if (r.peak < kSpikeTimesPeak * peak) continue;
    for (std::size_t i = r.first; i <= r.last; ++i) spikes.push_back(i);
  }
  return spikes;
}
