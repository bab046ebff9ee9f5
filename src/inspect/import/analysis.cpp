#include "inspect/import/analysis.h"

#include <algorithm>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"
#include "io/memory.h"
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

bool start_replay(const CaseValues& values, CaseReplay* replay) {
  RunContext& rc = replay->rc;
  static_cast<CaseValues&>(rc) = values;
  rc.time_origin_option = 0;
  // The run's curve arrays in the system's small pages, not the large ones
  // the program asks for: the run's points come while the records' pages
  // are given back, and small pages take those at once where large ones
  // want memory that has not been touched yet (slower on a virtual machine).
  if (values.nmax < 0) return false;
  try {
    reserve_curve_arrays(rc);
  } catch (const SevereError&) {
    return false;
  }
  start_program_run(values, rc);
  return true;
}

void replay_points(CaseReplay& replay, const WrittenCurve& curve, std::size_t first, std::size_t count) {
  if (replay.step != RecordStep::read_on) return;
  CurveCursor points(curve, first);
  double t = 0.0;
  double F = 0.0;
  for (std::size_t k = 0; k < count && points.next(&t, &F); ++k) {
    replay.step = take_record(replay.rc, t, F);
    if (replay.step != RecordStep::read_on) return;
  }
}

PointsWritten replay_as_written(CaseReplay& replay, const WrittenCurve& curve, Records& records) {
  constexpr std::size_t kPageBack = 4096 / sizeof(double);
  return [&replay, &curve, &records, gone = std::size_t{0}](std::size_t first, std::size_t count) mutable {
    const CurveTail tail = curve_tail(curve, gone);
    replay_points(replay, tail.curve, first - tail.shift, count);
    const std::size_t next = first + count;
    if (next >= curve.size()) return gone;
    // The record at or before the next point stays, and those after it.
    std::size_t keep = next;
    if (curve.w > 0) {
      const auto after = std::upper_bound(curve.t.begin() + gone, curve.t.end(), curve.time(next));
      keep = static_cast<std::size_t>(after - curve.t.begin());
      keep = keep > 0 ? keep - 1 : 0;
    }
    // From a page back: the page that held the last records given up before
    // and the first ones kept is whole now.
    const std::size_t from = gone > kPageBack ? gone - kPageBack : 0;
    gone = std::max(gone, keep);
    release_pages(records.t.data() + from, (gone - from) * sizeof(double));
    release_pages(records.F.data() + from, (gone - from) * sizeof(double));
    return gone;
  };
}

bool replay_figures(CaseReplay& replay, ProgramFigures* figures) {
  if (replay.step != RecordStep::end_reading) return false;
  compute_integral_figures(replay.rc);
  classify(replay.rc);
  *figures = program_figures(replay.rc);
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
