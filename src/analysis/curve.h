// Curve processing: each record inside the window becomes the next point.
#ifndef TALVIRONESKA_ANALYSIS_CURVE_H_
#define TALVIRONESKA_ANALYSIS_CURVE_H_

#include "analysis/figures.h"
#include "run/run_context.h"

// Appends point nc + 1 at time (nc) * dt, formed afresh from the index so no
// rounding accumulates, with the thrust raised to Fcor when strictly below
// it, and updates the running extremes. Returns false, writing nothing, when
// the arrays already hold nmax points.
inline bool keep_point(RunContext& rc, double tlido, double Flido) {
  if (rc.nc >= rc.nmax) return false;
  ++rc.nc;
  rc.t[rc.nc - 1] = static_cast<double>(rc.nc - 1) * rc.dt;
  rc.F[rc.nc - 1] = Flido < rc.Fcor ? rc.Fcor : Flido;
  update_running_extremes(rc, tlido);
  return true;
}

#endif  // TALVIRONESKA_ANALYSIS_CURVE_H_
