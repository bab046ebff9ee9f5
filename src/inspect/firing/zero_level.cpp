#include "inspect/firing/zero_level.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double mean_of(std::span<const double> F, std::size_t first, std::size_t last) {
  double sum = 0.0;
  for (std::size_t i = first; i <= last; ++i) sum += F[i];
  return sum / static_cast<double>(last - first + 1);
}

double median_of(std::span<const double> F, std::size_t first, std::size_t last) {
  std::vector<double> v(F.begin() + static_cast<std::ptrdiff_t>(first),
                        F.begin() + static_cast<std::ptrdiff_t>(last) + 1);
  auto middle = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
  std::nth_element(v.begin(), middle, v.end());
  return *middle;
}

constexpr std::size_t kLongestStretch = 2000;
constexpr std::size_t kFewestQuiet = 10;
constexpr std::size_t kEnoughQuiet = 100;
constexpr double kEnoughQuietTime = 0.2;  // s
constexpr double kLevelWidths = 4.0;
constexpr std::size_t kMarginRecords = 2;
constexpr int kLevelRounds = 64;

// The level and noise of the records [from, to], to tell where a rise or
// fall next to them starts.
struct Level {
  double median = 0.0;
  double noise = 0.0;
};
Level level_of(std::span<const double> F, std::size_t from, std::size_t to) {
  return {median_of(F, from, to), step_noise(F, from, to)};
}

std::optional<QuietStretch> enough(std::span<const double> t, std::span<const double> F, std::size_t first,
                                   std::size_t last) {
  if (last < first) return std::nullopt;
  const std::size_t count = last - first + 1;
  if (count < kFewestQuiet || (count < kEnoughQuiet && t[last] - t[first] < kEnoughQuietTime)) return std::nullopt;
  return quiet_stretch(t, F, first, last);
}

}  // namespace

std::optional<QuietStretch> zero_before(std::span<const double> t, std::span<const double> F, std::size_t begin,
                                        std::size_t end) {
  if (end <= begin || end - begin < kFewestQuiet) return std::nullopt;
  // Where records come fast the last ones before the event are still the
  // rise's foot: step back until the level before them holds.
  std::size_t last = end - 1;
  for (int round = 0; round < kLevelRounds; ++round) {
    const Level level = level_of(F, last + 1 - std::min(last + 1 - begin, kLongestStretch), last);
    const std::size_t from = last;
    while (last > begin && F[last] > level.median + kLevelWidths * level.noise) --last;
    if (last == from) break;
  }
  if (last < begin + kMarginRecords) return std::nullopt;
  last -= kMarginRecords;
  return enough(t, F, last + 1 - std::min(last + 1 - begin, kLongestStretch), last);
}

std::optional<QuietStretch> zero_after(std::span<const double> t, std::span<const double> F, std::size_t begin,
                                       std::size_t end) {
  if (end <= begin || end - begin < kFewestQuiet) return std::nullopt;
  const Level level = level_of(F, end - std::min(end - begin, kLongestStretch), end - 1);
  std::size_t first = begin;
  while (first + 1 < end && F[first] > level.median + kLevelWidths * level.noise) ++first;
  first += kMarginRecords;
  if (first >= end) return std::nullopt;
  return enough(t, F, first, std::min(end - 1, first + kLongestStretch - 1));
}

double step_noise(std::span<const double> F, std::size_t first, std::size_t last) {
  if (last <= first) return 0.0;
  // A sample of at most 200 000 steps is plenty for a median.
  const std::size_t steps = last - first;
  const std::size_t stride = steps / 200000 + 1;
  std::vector<double> d;
  d.reserve(steps / stride + 1);
  for (std::size_t i = first; i < last; i += stride) d.push_back(std::fabs(F[i + 1] - F[i]));
  auto middle = d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2);
  std::nth_element(d.begin(), middle, d.end());
  double noise = 1.4826 / std::sqrt(2.0) * *middle;
  if (noise == 0.0) {
    // Coarse readings (a few counts of a 24-bit amplifier in grams) repeat
    // exactly: the mean step size is then the better measure.
    double sum = 0.0;
    for (float x : d) sum += x;
    noise = sum / static_cast<double>(d.size());
  }
  return noise;
}

QuietStretch quiet_stretch(std::span<const double> t, std::span<const double> F, std::size_t first, std::size_t last) {
  QuietStretch s;
  s.first = first;
  s.last = last;
  s.from = t[first];
  s.to = t[last];
  double low = -INFINITY;
  double high = INFINITY;
  for (int round = 0; round < 3; ++round) {
    double sum = 0.0;
    std::size_t n = 0;
    for (std::size_t i = first; i <= last; ++i) {
      if (F[i] < low || F[i] > high) continue;
      sum += F[i];
      ++n;
    }
    const double mean = sum / static_cast<double>(n);
    double squares = 0.0;
    for (std::size_t i = first; i <= last; ++i) {
      if (F[i] < low || F[i] > high) continue;
      squares += (F[i] - mean) * (F[i] - mean);
    }
    s.mean = mean;
    s.noise = std::sqrt(squares / static_cast<double>(n));
    // At least 96 % of the records lie within 5 widths (Chebyshev), so n never drops to zero.
    low = mean - 5.0 * s.noise;
    high = mean + 5.0 * s.noise;
  }
  return s;
}

bool is_flat(std::span<const double> F, std::size_t first, std::size_t last, double slack) {
  const std::size_t n = last - first + 1;
  if (last < first || n < 10) return false;
  const double noise = std::max(step_noise(F, first, last), 1e-12);
  auto differ = [&](std::size_t a0, std::size_t a1, std::size_t b0, std::size_t b1) {
    const double na = static_cast<double>(a1 - a0 + 1);
    const double nb = static_cast<double>(b1 - b0 + 1);
    const double error = noise * std::sqrt(1.0 / na + 1.0 / nb);
    return std::fabs(mean_of(F, a0, a1) - mean_of(F, b0, b1)) > 4.0 * error + slack;
  };
  const std::size_t third = n / 3;
  const std::size_t tenth = std::max<std::size_t>(n / 10, 3);
  if (differ(first + third, first + 2 * third - 1, first + 2 * third, last)) return false;
  if (differ(first, first + tenth - 1, last + 1 - tenth, last)) return false;
  // Noise goes up and down: steps mostly of one sign are a slow rise or
  // fall, however small, when the ends differ too.
  std::size_t up = 0;
  std::size_t down = 0;
  for (std::size_t i = first; i < last; ++i) {
    up += F[i + 1] > F[i];
    down += F[i + 1] < F[i];
  }
  const double sign_bias = std::fabs(static_cast<double>(up) - static_cast<double>(down));
  const bool one_way = sign_bias > 2.5 * std::sqrt(static_cast<double>(up + down)) + 1.0;
  const double ends = std::fabs(mean_of(F, first, first + tenth - 1) - mean_of(F, last + 1 - tenth, last));
  return !(one_way && ends > 2.0 * noise * std::sqrt(2.0 / static_cast<double>(tenth)));
}

ZeroLevel measure_zero(std::span<const double> t, std::span<const double> F) {
  ZeroLevel z;
  const std::size_t n = F.size();
  if (n < 20) return z;
  const std::size_t k = std::clamp<std::size_t>(n / 20, 10, 2000);
  const auto [low_it, high_it] = std::minmax_element(F.begin(), F.end());
  const double range = static_cast<double>(*high_it) - *low_it;
  const double slack = 0.0005 * range;
  const double start_level = median_of(F, 0, k - 1);
  const double end_level = median_of(F, n - k, n - 1);
  const bool start_flat = is_flat(F, 0, k - 1, slack);
  const bool end_flat = is_flat(F, n - k, n - 1, slack);
  double lowest = INFINITY;
  if (start_flat) lowest = std::min(lowest, start_level);
  if (end_flat) lowest = std::min(lowest, end_level);
  if (start_flat && start_level <= lowest + 0.1 * range) z.start = quiet_stretch(t, F, 0, k - 1);
  if (end_flat && end_level <= lowest + 0.1 * range) z.end = quiet_stretch(t, F, n - k, n - 1);
  if (z.start) {
    z.zero = z.start->mean;
    z.noise = z.start->noise;
  } else if (z.end) {
    z.zero = z.end->mean;
    z.noise = z.end->noise;
  }
  z.measured = z.start || z.end;
  if (!z.measured) z.noise = step_noise(F, 0, n - 1);
  return z;
}

bool offset_is_clear(const QuietStretch& stretch, double peak) {
  const double offset = std::fabs(stretch.mean);
  return offset > 3.0 * stretch.noise && offset > 0.005 * peak;
}
