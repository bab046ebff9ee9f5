#include "inspect/import/analysis.h"

#include <vector>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"
#include "inspect/firing/burn.h"
#include "inspect/firing/sampling.h"
#include "inspect/firing/zero_level.h"

namespace {

constexpr double kMarginShare = 0.10;
constexpr std::size_t kMinZeroRecords = 10;

// The zero over records [first, last], spikes set aside; nothing with fewer
// than ten records.
std::optional<QuietStretch> zero_over(std::span<const double> t, std::span<const double> F, std::size_t first,
                                      std::size_t last) {
  if (last < first || last - first + 1 < kMinZeroRecords) return std::nullopt;
  return quiet_stretch(t, F, first, last);
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

ConvertedAnalysis analyse_converted(std::span<const ThrustRecord> records, std::int32_t w, double M) {
  ConvertedAnalysis a;
  std::vector<double> t(records.size());
  std::vector<double> F(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    t[i] = records[i].t;
    F[i] = records[i].F;
  }
  const Sampling sampling = measure_sampling(t, w);
  a.gaps = sampling.gaps;
  a.largest_gap = sampling.largest_gap;
  a.first_gap_time = sampling.first_gap_time;
  const std::optional<Burn> burn = find_burn(t, F);
  if (!burn) return a;
  a.burn = true;
  a.burn_start = burn->start;
  a.burn_end = burn->end;
  a.ends_in_file = burn->ends_in_file;
  a.Fmax = burn->Fmax;
  // The zero before ignition and after burn-out, a tenth of the burn away
  // from it.
  const double before_limit = burn->start - kMarginShare * burn->duration;
  std::size_t before_end = 0;
  while (before_end < t.size() && t[before_end] < before_limit) ++before_end;
  if (before_end > 0) a.before = zero_over(t, F, 0, before_end - 1);
  if (burn->ends_in_file) {
    const double after_limit = burn->end + kMarginShare * burn->duration;
    std::size_t after_first = t.size();
    while (after_first > 0 && t[after_first - 1] > after_limit) --after_first;
    a.after = zero_over(t, F, after_first, t.size() - 1);
  }
  a.ti = suggested_ti(t, *burn);
  a.tf = suggested_tf(t, *burn);

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
