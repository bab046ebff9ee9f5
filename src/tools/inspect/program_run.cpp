#include "tools/inspect/program_run.h"

#include <algorithm>

#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"

ProgramRun run_program(const ThrustFile& file, const CaseValues& values, double tare) {
  ProgramRun run;
  RunContext& rc = run.rc;
  rc.ti = values.ti;
  rc.tf = values.tf;
  rc.Fcor = values.Fcor;
  rc.M = values.M;
  rc.w = values.w;
  if (8 * std::int64_t{values.nmax} > std::int64_t{UINT32_MAX}) {
    run.end = ProgramEnd::arrays_too_big;
    return run;
  }
  // No more points than records can be kept: the arrays need not be larger.
  const std::size_t room = std::min<std::size_t>(std::max(values.nmax, 0), file.readable);
  rc.nmax = static_cast<std::int32_t>(room);
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  rc.nmax = values.nmax;

  for (std::size_t i = 0; i < file.readable; ++i) {
    const ThrustRecord& record = file.records[i];
    if (run.end == ProgramEnd::arrays_full) {
      // The run has stopped; count on how many points the window holds.
      if (record.t > rc.ti - (rc.dt / 2.0) && record.t < (rc.dt / 2.0) + rc.tf) ++run.inside;
      if (record.t > (rc.dt / 2.0) + rc.tf) return run;
      continue;
    }
    const std::int32_t nc = rc.nc;
    const RecordStep step = take_record(rc, record.t, record.F - tare);
    if (rc.nc > nc) run.kept.push_back(i);
    if (step == RecordStep::arrays_full) {
      run.end = ProgramEnd::arrays_full;
      run.end_record = i;
      run.inside = run.kept.size() + 1;
      continue;
    }
    if (step == RecordStep::end_reading) {
      run.end = ProgramEnd::past_window;
      run.end_record = i;
      run.inside = run.kept.size();
      compute_integral_figures(rc);
      classify(rc);
      return run;
    }
  }
  if (run.end != ProgramEnd::arrays_full) run.inside = run.kept.size();
  if (run.end == ProgramEnd::arrays_full) return run;
  run.end = file.unreadable.count > 0 ? ProgramEnd::unreadable_line : ProgramEnd::end_of_file;
  return run;
}
