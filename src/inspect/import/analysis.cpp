#include "inspect/import/analysis.h"

#include <algorithm>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"
#include "io/severe_error.h"

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

}  // namespace

bool case_figures(const std::string& thrust_data, const CaseValues& values, ProgramFigures* figures) {
  RunContext rc;
  static_cast<CaseValues&>(rc) = values;
  rc.time_origin_option = 0;
  try {
    allocate_curve_arrays(rc);
    ThrustSource source;
    source.name = thrust_data;
    if (!run_program(source, values, rc)) return false;
  } catch (const SevereError&) {
    return false;
  }
  *figures = program_figures(rc);
  return true;
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
  const std::size_t n = curve.size();
  for (std::size_t k = 0; k < n; ++k) {
    const double t = curve.time(k);
    if (in_window(t, rc.ti, rc.tf, rc.dt)) ++inside;
    if (past_window(t, rc.tf, rc.dt)) break;
  }
  a.nmax = static_cast<std::int32_t>(std::min<std::size_t>(inside, kMaxNmax));
  return a;
}
