// Curve processing: each record inside the window becomes the next point.
#ifndef TALVIRONESKA_ANALYSIS_CURVE_H_
#define TALVIRONESKA_ANALYSIS_CURVE_H_

#include <cstdint>

#include "analysis/figures.h"
#include "core/run_context.h"

// The largest nmax: the size of an array in bytes, 8 * nmax, must fit in
// 32 bits.
inline constexpr std::int32_t kMaxNmax = static_cast<std::int32_t>(UINT32_MAX / 8);

// Allocates t and F with nmax elements each (none when nmax <= 0), leaving
// their pages untouched. Error 179 when nmax is past kMaxNmax, 41 when the
// memory cannot be had.
void reserve_curve_arrays(RunContext& rc);

// The run's curve arrays: reserve_curve_arrays, with F asked for in large
// pages where the system has them.
void allocate_curve_arrays(RunContext& rc);

// Appends point nc + 1 with the thrust raised to Fcor when strictly below
// it, and updates the running extremes. Returns false, writing nothing, when
// the arrays already hold nmax points. The point's time is curve_time(rc, k).
inline bool keep_point(RunContext& rc, double tlido, double Flido) {
  if (rc.nc >= rc.nmax) return false;
  ++rc.nc;
  rc.F[rc.nc - 1] = Flido < rc.Fcor ? rc.Fcor : Flido;
  update_running_extremes(rc, tlido);
  return true;
}

#endif  // TALVIRONESKA_ANALYSIS_CURVE_H_
