// Performance figures: parameter figures before the curve is read, running
// extremes while it is read, integral figures after.
#ifndef TALVIRONESKA_ANALYSIS_FIGURES_H_
#define TALVIRONESKA_ANALYSIS_FIGURES_H_

#include "core/run_context.h"

// tq, fm, dt, nc = 0 and the seed of Fmax. A frequency w <= 0 ends the run
// with error 64 on unit 6 before the thrust data file is touched.
void compute_parameter_figures(RunContext& rc);

// The running extremes for the point just kept (F[nc - 1], after the cut-off)
// measured at time tlido.
inline void update_running_extremes(RunContext& rc, double tlido) {
  const double Fk = rc.F[rc.nc - 1];
  if (rc.nc == 1 || Fk < rc.Fmin) rc.Fmin = Fk;
  if (Fk > rc.Fmax) {
    rc.Fmax = Fk;
    rc.tmax = tlido;
  }
}

// It by the trapezoid rule on the step dt, then Fmed, c and Is. Divisions are
// not guarded: a zero tq or M gives infinities or NaNs for the report.
void compute_integral_figures(RunContext& rc);

#endif  // TALVIRONESKA_ANALYSIS_FIGURES_H_
