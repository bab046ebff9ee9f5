#include "inspect/import/analysis.h"

#include <algorithm>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"

namespace {

void place_window(std::span<const ThrustRecord> records, const Burn& burn, WrittenWindow* window) {
  const std::size_t n = records.size();
  std::size_t first = 0;
  while (first + 1 < n && records[first].t < burn.start) ++first;
  window->ti = records[first].t;
  if (burn.ends_in_file) {
    std::size_t after = first;
    while (after + 1 < n && !(records[after].t > burn.end)) ++after;
    window->tf = records[after].t;
  } else {
    // The program needs a record after tf to end its reading: the last one.
    window->tf = records[n > first + 1 ? n - 2 : n - 1].t;
  }
}

// The program's reading of RECORDS into RC, set up for it, and its figures.
void run_on(std::span<const ThrustRecord> records, RunContext& rc) {
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  for (const ThrustRecord& r : records) {
    if (take_record(rc, r.t, r.F) != RecordStep::read_on) break;
  }
  compute_integral_figures(rc);
  classify(rc);
}

}  // namespace

ProgramFigures case_figures(std::span<const ThrustRecord> records, const CaseValues& values) {
  RunContext rc;
  static_cast<CaseValues&>(rc) = values;
  rc.time_origin_option = 0;
  compute_parameter_figures(rc);
  run_on(records, rc);
  return program_figures(rc);
}

WrittenWindow window_on_records(std::span<const ThrustRecord> records, const Burn& burn, std::int32_t w, double M) {
  WrittenWindow a;
  place_window(records, burn, &a);
  RunContext rc;
  rc.ti = a.ti;
  rc.tf = a.tf;
  rc.Fcor = 0.0;
  rc.M = M;
  rc.w = w;
  compute_parameter_figures(rc);
  std::size_t inside = 0;
  for (const ThrustRecord& r : records) {
    if (in_window(r.t, rc.ti, rc.tf, rc.dt)) ++inside;
    if (past_window(r.t, rc.tf, rc.dt)) break;
  }
  rc.nmax = static_cast<std::int32_t>(std::min<std::size_t>(inside, kMaxNmax));
  run_on(records, rc);
  a.nmax = rc.nmax;
  a.It = rc.It;
  a.classe.assign(rc.classe.begin(), rc.classe.end());
  while (!a.classe.empty() && a.classe.back() == ' ') a.classe.pop_back();
  return a;
}
