#include "tools/inspect/import_analysis.h"

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"
#include "tools/inspect/burn.h"
#include "tools/inspect/sampling.h"
#include "tools/inspect/zero_offset.h"

namespace {

std::optional<ZeroLevel> level_of(const std::optional<QuietStretch>& q) {
  if (!q) return std::nullopt;
  return ZeroLevel{q->from, q->to, q->count, q->mean, q->noise};
}

}  // namespace

ConvertedAnalysis analyse_converted(std::span<const ThrustRecord> records, std::int32_t w, double M) {
  ConvertedAnalysis a;
  const Sampling sampling = measure_sampling(records, w);
  a.gaps = sampling.gaps;
  a.largest_gap = sampling.largest_gap;
  a.first_gap_time = sampling.first_gap_time;
  const std::optional<Burn> burn = find_burn(records);
  if (!burn) return a;
  a.burn = true;
  a.burn_start = burn->start;
  a.burn_end = burn->end;
  a.ends_in_file = burn->ends_in_file;
  a.Fmax = burn->Fmax;
  a.before = level_of(before_ignition(records, *burn));
  a.after = level_of(after_burnout(records, *burn));
  a.ti = suggested_ti(records, *burn);
  a.tf = a.ends_in_file ? suggested_tf(records, *burn) : records[records.size() - 2].t;

  RunContext rc;
  rc.ti = a.ti;
  rc.tf = a.tf;
  rc.Fcor = 0.0;
  rc.M = M;
  rc.w = w;
  compute_parameter_figures(rc);
  std::size_t inside = 0;
  for (const ThrustRecord& r : records) {
    if (r.t > rc.ti - (rc.dt / 2.0) && r.t < (rc.dt / 2.0) + rc.tf) ++inside;
    if (r.t > (rc.dt / 2.0) + rc.tf) break;
  }
  rc.nmax = static_cast<std::int32_t>(std::min<std::size_t>(inside, INT32_MAX / 8));
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  for (const ThrustRecord& r : records) {
    if (take_record(rc, r.t, r.F) != RecordStep::read_on) break;
  }
  compute_integral_figures(rc);
  classify(rc);
  a.nmax = rc.nmax;
  a.It = rc.It;
  a.classe.assign(rc.classe.begin(), rc.classe.end());
  while (!a.classe.empty() && a.classe.back() == ' ') a.classe.pop_back();
  return a;
}
