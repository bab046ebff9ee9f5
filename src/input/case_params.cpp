#include "input/case_params.h"

#include <new>

#include "input/read_items.h"
#include "io/memory.h"
#include "io/severe_error.h"
#include "core/trimmed.h"

void read_case_params(RunContext& rc) {
  Unit unit(kUnitCaseParams, trimmed(rc.parameter_file_name), OpenMode::read);
  ListReader reader(unit);
  read_items(unit, reader, {text_item(rc.original)});
  read_items(unit, reader, {real_item(&rc.ti)});
  read_items(unit, reader, {real_item(&rc.tf)});
  read_items(unit, reader, {real_item(&rc.Fcor)});
  read_items(unit, reader, {real_item(&rc.M)});
  read_items(unit, reader, {integer_item(&rc.w)});
  read_items(unit, reader, {integer_item(&rc.nmax)});
  read_items(unit, reader, {integer_item(&rc.time_origin_option)});
  read_items(unit, reader, {integer_item(&rc.plot_option)});
  read_items(unit, reader, {integer_item(&rc.curve_listing_option)});
  read_items(unit, reader, {text_item(rc.case_name)});
  read_items(unit, reader, {text_item(rc.title)});
  unit.close();
}

void allocate_curve_arrays(RunContext& rc) {
  const std::int64_t n = rc.nmax > 0 ? rc.nmax : 0;
  if (8 * n > std::int64_t{UINT32_MAX}) throw_severe(kErrArraySizeOverflow, "Cannot allocate array - overflow on array size calculation.");
  // new double[n] leaves the elements uninitialised: a large nmax with a
  // small curve costs address space, not memory.
  auto* t = new (std::nothrow) double[static_cast<std::size_t>(n)];
  auto* F = new (std::nothrow) double[static_cast<std::size_t>(n)];
  rc.t.reset(t);
  rc.F.reset(F);
  if (t == nullptr || F == nullptr) throw_severe(kErrNoMemory, "insufficient virtual memory");
  advise_large_pages(F, static_cast<std::size_t>(n) * sizeof(double));
}
