#include "analysis/curve.h"

#include <cstdint>
#include <new>

#include "io/memory.h"
#include "io/severe_error.h"

void allocate_curve_arrays(RunContext& rc) {
  reserve_curve_arrays(rc);
  advise_large_pages(rc.F.get(), static_cast<std::size_t>(rc.nmax > 0 ? rc.nmax : 0) * sizeof(double));
}

void reserve_curve_arrays(RunContext& rc) {
  const std::int64_t n = rc.nmax > 0 ? rc.nmax : 0;
  if (n > kMaxNmax) throw_severe(kErrArraySizeOverflow, "Cannot allocate array - overflow on array size calculation.");
  // new double[n] leaves the elements uninitialised: a large nmax with a
  // small curve costs address space, not memory.
  auto* t = new (std::nothrow) double[static_cast<std::size_t>(n)];
  auto* F = new (std::nothrow) double[static_cast<std::size_t>(n)];
  rc.t.reset(t);
  rc.F.reset(F);
  if (t == nullptr || F == nullptr) throw_severe(kErrNoMemory, "insufficient virtual memory");
}
