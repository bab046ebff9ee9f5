#include "inspect/program/window.h"

#include <algorithm>

#include "analysis/curve.h"
#include "input/thrust_window.h"
#include "inspect/firing/curve.h"

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
          r.measured_It += trapezoid(file.t[previous], F_previous, t, F);
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
