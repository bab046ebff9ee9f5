// The thrust the stand reads with no thrust on it, told apart from the slow
// end of a burn: a flat, noise-like stretch at either end of the log.
#ifndef TALVIRONESKA_INSPECT_FIRING_ZERO_LEVEL_H_
#define TALVIRONESKA_INSPECT_FIRING_ZERO_LEVEL_H_

#include <cstddef>
#include <optional>
#include <span>

struct QuietStretch {
  std::size_t first = 0;  // records [first, last]
  std::size_t last = 0;
  double from = 0.0;  // s, their times
  double to = 0.0;
  double mean = 0.0;   // N, spikes set aside
  double noise = 0.0;  // N, standard deviation around the mean
};

struct ZeroLevel {
  std::optional<QuietStretch> start;  // a flat part at the start of the log
  std::optional<QuietStretch> end;    // and at its end
  double zero = 0.0;                  // N: the start's mean, else the end's, else 0
  double noise = 0.0;                 // N: of that stretch, else from the steps of the whole log
  bool measured = false;              // false when neither end is flat: the zero is taken as 0
};

// The noise of F[first, last] from its record-to-record steps (robust to
// a trend and to a few spikes): 1.4826 / sqrt(2) times their median size.
double step_noise(std::span<const double> F, std::size_t first, std::size_t last);

// The mean and noise of F over [first, last] after three rounds of setting
// aside records more than 5 noise widths from the mean.
QuietStretch quiet_stretch(std::span<const double> t, std::span<const double> F, std::size_t first, std::size_t last);

// True when F[first, last] (10 records or more) is flat: the means of its
// middle and last thirds differ by less than 4 standard errors plus SLACK,
// and its first and last tenths too (a tail still falling is not flat).
bool is_flat(std::span<const double> F, std::size_t first, std::size_t last, double slack);

// The end stretches of the log (up to 1/20 of it, 10 to 2000 records) that
// are flat and low: within 10 % of the log's range of the lowest of them.
ZeroLevel measure_zero(std::span<const double> t, std::span<const double> F);

// The zero next to a burn: the quiet stretch of records [BEGIN, END) that
// ends where the rise from its level starts (before) or starts where the
// fall to it ends (after), at most 2000 records of it. Nothing when it
// holds fewer than 10 records, or fewer than 100 over less than 0.2 s.
std::optional<QuietStretch> zero_before(std::span<const double> t, std::span<const double> F, std::size_t begin,
                                        std::size_t end);
std::optional<QuietStretch> zero_after(std::span<const double> t, std::span<const double> F, std::size_t begin,
                                       std::size_t end);

// An offset worth a warning: above 3 noise widths and above 0.5 % of the
// peak (smaller ones change the impulse by well under 1 %).
bool offset_is_clear(const QuietStretch& stretch, double peak);

#endif  // TALVIRONESKA_INSPECT_FIRING_ZERO_LEVEL_H_
