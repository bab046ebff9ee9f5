// The measured time stamps: their steps, the rate they show, and the shapes
// that a fixed step 1/w misreads (repeated stamps, bursts, gaps).
#ifndef TALVIRONESKA_INSPECT_FIRING_SAMPLING_H_
#define TALVIRONESKA_INSPECT_FIRING_SAMPLING_H_

#include <cstddef>
#include <cstdint>
#include <span>

struct Sampling {
  std::size_t steps = 0;  // records - 1
  double median = 0.0;    // s, of all steps
  double min = 0.0;
  double max = 0.0;
  std::size_t repeated = 0;  // steps of zero
  std::size_t backward = 0;  // steps below zero
  std::size_t gaps = 0;      // steps longer than 1.5 / w
  double largest_gap = 0.0;
  double first_gap_time = 0.0;  // time of the record before the first gap
};

// Needs two records or more and w > 0.
Sampling measure_sampling(std::span<const double> t, std::int32_t w);

// The rate over records [first, last] (the burn): records per second and
// the median step, and what the stamps look like there.
struct Rate {
  double per_second = 0.0;   // Hz: (records - 1) / time spanned
  double median_step = 0.0;  // s, of the steps above zero
  bool batched = false;      // 10 % of the steps or more repeat a stamp: records share stamps
  bool burst = false;        // 2 % of the steps or more are over 1.5 median steps: bursts with pauses
  double measured = 0.0;     // Hz: the rate the program's fixed step should match
  std::int32_t w = 0;        // the integer nearest to it (0 when none)
  double w_error = 0.0;      // %: (measured / w - 1) * 100, the impulse error of w
  bool w_fits = false;       // |w_error| <= 0.5 %
};
Rate measure_rate(std::span<const double> t, std::size_t first, std::size_t last);

inline constexpr double kRateFitPercent = 0.5;

#endif  // TALVIRONESKA_INSPECT_FIRING_SAMPLING_H_
