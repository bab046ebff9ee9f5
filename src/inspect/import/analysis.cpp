#include "inspect/import/analysis.h"

#include <algorithm>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"

namespace {

// ti at the first point at or after the burn's 5 % rise; tf at the first
// after its fall, or the last point but one when the burn runs to the end.
void place_window(const WrittenCurve& curve, const Burn& burn, WrittenWindow* window) {
  const std::size_t n = curve.size();
  std::size_t first = 0;
  while (first + 1 < n && curve.time(first) < burn.start) ++first;
  window->ti = curve.time(first);
  if (burn.ends_in_file) {
    std::size_t after = first;
    while (after + 1 < n && !(curve.time(after) > burn.end)) ++after;
    window->tf = curve.time(after);
  } else {
    // The program needs a record after tf to end its reading: the last one.
    window->tf = curve.time(n > first + 1 ? n - 2 : n - 1);
  }
}

// The program's reading of CURVE into RC, set up for it, and its figures.
void run_on(const WrittenCurve& curve, RunContext& rc) {
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  CurveCursor points(curve);
  double t = 0.0;
  double F = 0.0;
  while (points.next(&t, &F)) {
    if (take_record(rc, t, F) != RecordStep::read_on) break;
  }
  compute_integral_figures(rc);
  classify(rc);
}

}  // namespace

ProgramFigures case_figures(const WrittenCurve& curve, const CaseValues& values) {
  RunContext rc;
  static_cast<CaseValues&>(rc) = values;
  rc.time_origin_option = 0;
  compute_parameter_figures(rc);
  run_on(curve, rc);
  return program_figures(rc);
}

WrittenWindow window_on_curve(const WrittenCurve& curve, const Burn& burn, std::int32_t w) {
  WrittenWindow a;
  place_window(curve, burn, &a);
  RunContext rc;
  rc.ti = a.ti;
  rc.tf = a.tf;
  rc.Fcor = 0.0;
  rc.w = w;
  compute_parameter_figures(rc);
  std::size_t inside = 0;
  for (std::size_t k = 0; k < curve.size(); ++k) {
    const double t = curve.time(k);
    if (in_window(t, rc.ti, rc.tf, rc.dt)) ++inside;
    if (past_window(t, rc.tf, rc.dt)) break;
  }
  a.nmax = static_cast<std::int32_t>(std::min<std::size_t>(inside, kMaxNmax));
  return a;
}
