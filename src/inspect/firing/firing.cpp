#include "inspect/firing/firing.h"

#include <algorithm>
#include <cmath>

#include "input/thrust_window.h"

namespace {

constexpr double kMinorShare = 0.10;
constexpr double kEjectionShare = 0.20;
constexpr double kLongestEjectionDelay = 30.0;  // s

// Records [lo, hi] inside the times FROM and TO.
void time_range(std::span<const double> t, const FiringChoice& choice, std::size_t* lo, std::size_t* hi) {
  *lo = 0;
  *hi = t.size() - 1;
  if (choice.from) {
    while (*lo < t.size() && t[*lo] < *choice.from) ++*lo;
  }
  if (choice.to) {
    while (*hi > *lo && t[*hi] > *choice.to) --*hi;
  }
}

void scan_events(FiringAnalysis& a, std::span<const double> t, std::span<const double> F, std::size_t lo,
                 std::size_t hi) {
  const std::size_t end_first =
      a.zero.end && a.zero.end->first >= lo ? a.zero.end->first - lo : static_cast<std::size_t>(-1);
  a.scan = find_events(t.subspan(lo, hi - lo + 1), F.subspan(lo, hi - lo + 1), a.zero.zero, a.zero.noise,
                       a.zero.end ? a.zero.end->mean : 0.0, end_first);
  for (Event& e : a.scan.events) {
    e.first += lo;
    e.last += lo;
    e.peak_record += lo;
  }
}

void choose_event(FiringAnalysis& a, const FiringChoice& choice) {
  const auto& events = a.scan.events;
  a.chosen.reset();
  a.burn_like = 0;
  double largest = 0.0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].shape == EventShape::burn && events[i].impulse > largest) {
      largest = events[i].impulse;
      a.chosen = i;
    }
  }
  a.chosen_by_shape = a.chosen.has_value();
  for (const Event& e : events) {
    if (e.shape == EventShape::burn && e.impulse >= kMinorShare * largest) ++a.burn_like;
  }
  if (!a.chosen) {
    for (std::size_t i = 0; i < events.size(); ++i) {
      if (events[i].shape != EventShape::spike && (!a.chosen || events[i].impulse > events[*a.chosen].impulse)) {
        a.chosen = i;
      }
    }
  }
  if (choice.event > 0 && choice.event <= events.size()) a.chosen = choice.event - 1;
}

// The stretch after the chosen event to the end of the log, when no other
// event follows: still falling there is a tail-off.
bool ends_in_tail(const FiringAnalysis& a, std::span<const double> F) {
  const Event& e = a.scan.events[*a.chosen];
  // A burn cut by the end of the log, or a log that ends right after it,
  // shows no tail: it just has no zero part at the end.
  if (*a.chosen + 1 < a.scan.events.size() || e.last + 10 >= F.size()) return false;
  const auto [low, high] = std::minmax_element(F.begin(), F.end());
  if (is_flat(F, e.last + 1, F.size() - 1, 0.0005 * (static_cast<double>(*high) - *low))) return false;
  // A tail falls, and is still thrust at the very end; a slide below the
  // zero, or a rise after burnout, is the cell's drift.
  auto mean = [&](std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i) sum += F[i];
    return sum / static_cast<double>(to - from);
  };
  const std::size_t after = F.size() - e.last - 1;
  const std::size_t third = after / 3;
  const std::size_t tenth = std::max<std::size_t>(after / 10, 3);
  return mean(e.last + 1, e.last + 1 + third) > mean(F.size() - third, F.size()) &&
         mean(F.size() - tenth, F.size()) > a.zero.zero - 3.0 * a.zero.noise;
}

void measure_burn(FiringAnalysis& a, std::span<const double> t, std::span<const double> F) {
  a.burn.reset();
  if (!a.chosen) return;
  const Event& e = a.scan.events[*a.chosen];
  // The figures count from the zero when it is clearly off 0.
  const double tare = a.zero.measured && (a.zero.start || a.zero.end) &&
                              offset_is_clear(a.zero.start ? *a.zero.start : *a.zero.end, e.peak)
                          ? a.zero.zero
                          : 0.0;
  a.burn = find_burn(t, F, tare, e.first, e.last);
  if (a.burn) a.burn_class = classify_burn(*a.burn);
}

}  // namespace

FiringAnalysis analyse_firing(std::span<const double> t, std::span<const double> F, const FiringChoice& choice) {
  FiringAnalysis a;
  const std::size_t n = std::min(t.size(), F.size());
  if (n < 2) return a;
  t = t.first(n);
  F = F.first(n);
  std::size_t backward = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) backward += t[i + 1] < t[i];
  if (2 * backward > n - 1) {
    a.times_backward = true;
    return a;
  }
  std::size_t lo = 0;
  std::size_t hi = 0;
  time_range(t, choice, &lo, &hi);
  if (lo > hi || lo >= n) return a;

  a.zero = measure_zero(t, F);
  scan_events(a, t, F, lo, hi);
  choose_event(a, choice);
  if (a.chosen && ends_in_tail(a, F)) {
    a.tail_to_end = true;
    if (a.zero.end) {
      // What looked like a zero at the end is the tail: measure again without it.
      a.zero.end.reset();
      if (!a.zero.start) {
        a.zero.zero = 0.0;
        a.zero.measured = false;
        a.zero.noise = step_noise(F, 0, n - 1);
      }
      scan_events(a, t, F, lo, hi);
      choose_event(a, choice);
    }
  }
  measure_burn(a, t, F);
  if (!a.burn) return a;
  const Burn& b = *a.burn;

  for (std::size_t i = *a.chosen + 1; i < a.scan.events.size(); ++i) {
    const Event& e = a.scan.events[i];
    if (e.shape == EventShape::spike) continue;
    // Well clear of the noise: a few records just over the threshold are not a charge.
    if (e.impulse < kEjectionShare * a.scan.events[*a.chosen].impulse && e.start - b.end <= kLongestEjectionDelay &&
        e.peak >= 3.0 * a.scan.threshold) {
      a.ejection = i;
      a.ejection_delay = e.start - b.end;
    }
    break;
  }

  a.rate = measure_rate(t, b.first, b.last);
  if (a.rate.w == 0) a.rate = measure_rate(t, 0, n - 1);
  a.w = choice.w > 0 ? choice.w : a.rate.w;
  a.ti = suggested_ti(t, b);
  a.tf = suggested_tf(t, b);
  if (a.w > 0 && !b.ends_in_file) {
    // The program's reading ends at a record after dt/2 + tf: keep the last one for that.
    const double limit = t[n - 1] - 0.5 / static_cast<double>(a.w);
    std::size_t i = n - 1;
    while (i > b.first && !(t[i] < limit)) --i;
    a.tf = t[i];
  }
  a.window = a.w > 0 && a.tf > a.ti;
  if (a.window) {
    const double dt = 1.0 / static_cast<double>(a.w);
    for (std::size_t i = 0; i < n; ++i) {
      if (in_window(t[i], a.ti, a.tf, dt)) ++a.nmax;
      if (past_window(t[i], a.tf, dt)) break;
    }
  }
  return a;
}
