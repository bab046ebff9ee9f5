#include "inspect/program/window.h"

#include <algorithm>
#include <limits>

#include "analysis/curve.h"
#include "input/thrust_window.h"
#include "inspect/firing/signal.h"

WindowReading read_window(const ThrustFile& file, const CaseValues& v, double tare) {
  WindowReading r;
  if (v.nmax > kMaxNmax) {
    r.end = ProgramEnd::arrays_too_big;
    return r;
  }
  const double dt = 1.0 / static_cast<double>(v.w);
  auto cut = [&](double F) { return F < v.Fcor ? v.Fcor : F; };
  bool full = false;
  std::size_t previous = 0;
  double F_previous = 0.0;
  double tared_previous = 0.0;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < file.readable; ++i) {
    const double t = file.t[i];
    if (in_window(t, v.ti, v.tf, dt)) {
      if (r.inside++ == 0) r.first_kept = i;
      if (!full && r.inside > static_cast<std::size_t>(std::max(v.nmax, 0))) {
        full = true;
        r.end = ProgramEnd::arrays_full;
        r.end_record = i;
      }
      if (!full) {
        const double F = cut(file.F[i]);
        const double tared = cut(file.F[i] - tare);
        if (kept++ > 0) {
          r.measured_It += (F + F_previous) / 2.0 * (t - file.t[previous]);
          r.fixed_It += ((F + F_previous) * dt) / 2.0;
          r.tared_fixed_It += ((tared + tared_previous) * dt) / 2.0;
        }
        previous = i;
        F_previous = F;
        tared_previous = tared;
      }
    }
    if (past_window(t, v.tf, dt)) {
      if (!full) {
        r.end = ProgramEnd::past_window;
        r.end_record = i;
      }
      return r;
    }
  }
  if (!full) r.end = file.unreadable.count > 0 ? ProgramEnd::unreadable_line : ProgramEnd::end_of_file;
  return r;
}

double stretch_impulse(std::span<const double> t, std::span<const double> F, double zero, std::size_t first,
                       std::size_t last) {
  const std::size_t from = first > 0 ? first - 1 : first;
  const std::size_t to = std::min(last + 1, t.size() - 1);
  return stamped_area(constant_zero(t, F, zero), from, to);
}

LeftOut impulse_left_out(std::span<const double> t, std::span<const double> F, double zero, std::size_t first,
                         std::size_t last, double total, double ti, double tf) {
  LeftOut out;
  out.total = total;
  const std::size_t from = first > 0 ? first - 1 : first;
  const std::size_t to = std::min(last + 1, t.size() - 1);
  auto area = [&](std::size_t i) { return ((F[i] - zero) + (F[i + 1] - zero)) / 2.0 * (t[i + 1] - t[i]); };
  // Only the segments at either end lie outside [ti, tf]: walk in from both.
  for (std::size_t i = from; i < to && t[i] < ti; ++i) {
    if (t[i + 1] > t[i]) out.before += area(i) * std::clamp((ti - t[i]) / (t[i + 1] - t[i]), 0.0, 1.0);
  }
  for (std::size_t i = to; i > from && t[i] > tf; --i) {
    if (t[i] > t[i - 1]) out.after += area(i - 1) * std::clamp((t[i] - tf) / (t[i] - t[i - 1]), 0.0, 1.0);
  }
  return out;
}
