#include "inspect/firing/sampling.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

double median_in_place(std::vector<double>& v) {
  if (v.empty()) return 0.0;
  auto middle = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
  std::nth_element(v.begin(), middle, v.end());
  double m = *middle;
  if (v.size() % 2 == 0) m = (m + *std::max_element(v.begin(), middle)) / 2.0;
  return m;
}

}  // namespace

Sampling measure_sampling(std::span<const double> t, std::int32_t w) {
  Sampling s;
  if (t.size() < 2) return s;
  const double gap_step = 1.5 / static_cast<double>(w);
  // The median from a sample of at most 1e6 steps; the counts from all.
  const std::size_t stride = (t.size() - 1) / 1000000 + 1;
  std::vector<double> sample;
  sample.reserve((t.size() - 1) / stride + 1);
  s.min = INFINITY;
  s.max = -INFINITY;
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    const double d = t[i + 1] - t[i];
    if (i % stride == 0) sample.push_back(d);
    s.min = std::min(s.min, d);
    s.max = std::max(s.max, d);
    if (d == 0.0) ++s.repeated;
    if (d < 0.0) ++s.backward;
    if (d > gap_step) {
      if (s.gaps++ == 0) s.first_gap_time = t[i];
      s.largest_gap = std::max(s.largest_gap, d);
    }
  }
  s.steps = t.size() - 1;
  s.median = median_in_place(sample);
  return s;
}

Rate measure_rate(std::span<const double> t, std::size_t first, std::size_t last) {
  Rate r;
  if (last <= first || last >= t.size()) return r;
  const std::size_t steps = last - first;
  // The median from a sample of at most 1e6 steps; the counts from all.
  const std::size_t stride = steps / 1000000 + 1;
  std::vector<double> positive;
  positive.reserve(steps / stride + 1);
  std::size_t repeated = 0;
  for (std::size_t i = first; i < last; ++i) {
    const double d = t[i + 1] - t[i];
    if (d > 0.0 && (i - first) % stride == 0) positive.push_back(d);
    if (d == 0.0) ++repeated;
  }
  r.median_step = median_in_place(positive);
  std::size_t long_steps = 0;
  for (std::size_t i = first; i < last; ++i) {
    if (t[i + 1] - t[i] > 1.5 * r.median_step) ++long_steps;
  }
  const double span = t[last] - t[first];
  r.per_second = span > 0.0 ? static_cast<double>(steps) / span : 0.0;
  r.batched = repeated * 10 >= steps;
  r.burst = !r.batched && r.median_step > 0.0 && long_steps * 50 >= steps;
  // The program's curve is as long as the records times 1/w: records per
  // second keep the burn's length, and so its impulse, also where stamps
  // jitter, repeat or come in bursts. Only a few gaps (lost records) make
  // the step the better measure.
  const bool few_gaps = long_steps > 0 && !r.batched && !r.burst;
  r.measured = few_gaps && r.median_step > 0.0 ? 1.0 / r.median_step : r.per_second;
  if (r.batched) {
    // Each stamp marks the start of its batch: the last batch lasts one
    // more step. Over the whole log the batches' edges matter least.
    const double records = static_cast<double>(t.size());
    r.measured = records / (t.back() - t.front() + r.median_step);
  }
  if (r.measured > 0.5 && r.measured < static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    r.w = static_cast<std::int32_t>(std::lround(r.measured));
    r.w_error = (r.measured / r.w - 1.0) * 100.0;
    r.w_fits = std::fabs(r.w_error) <= kRateFitPercent;
  }
  return r;
}
