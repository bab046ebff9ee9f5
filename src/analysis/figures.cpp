#include "analysis/figures.h"

#include <string>

#include "core/trimmed.h"
#include "io/severe_error.h"
#include "io/unit.h"

void compute_parameter_figures(RunContext& rc) {
  if (rc.w <= 0) {
    // A zero or negative rate makes the time window meaningless.
    throw_severe(kErrConversion, "acquisition frequency w = " + std::to_string(rc.w) + " must be positive, " +
                                     file_place_text(kUnitCaseParams, trimmed(rc.parameter_file_name)));
  }
  rc.tq = rc.tf - rc.ti;
  rc.fm = (rc.M * 1000.0) / rc.tq;
  rc.dt = 1.0 / static_cast<double>(rc.w);
  rc.nc = 0;
  rc.Fmax = 0.0;
}

void compute_integral_figures(RunContext& rc) {
  const double* F = rc.F.get();
  double It = 0.0;
  for (std::int32_t i = 1; i < rc.nc; ++i) It += ((F[i] + F[i - 1]) * rc.dt) / 2.0;
  rc.It = It;
  rc.Fmed = rc.It / rc.tq;
  rc.c = rc.It / rc.M;
  rc.Is = rc.c / go;
}
