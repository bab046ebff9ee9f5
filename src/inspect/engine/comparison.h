// A firing's curve laid over a published one (a maker's or a database's
// engine file, a simulator's prediction): the standard figures of each and
// their differences, in percent of the reference's ("+5.0": the firing has
// 5 % more).
#ifndef TALVIRONESKA_INSPECT_ENGINE_COMPARISON_H_
#define TALVIRONESKA_INSPECT_ENGINE_COMPARISON_H_

#include <string>

#include "inspect/engine/engine_curve.h"

struct CurveFigures {
  double It = 0.0;        // N s, from (0, 0) by the trapezoid rule
  double Fmed = 0.0;      // N, It / burn time
  double Fmax = 0.0;      // N
  double duration = 0.0;  // s, the last point's time
  std::string designation;
};

struct CurveComparison {
  CurveFigures firing;
  CurveFigures reference;
  double It_pct = 0.0;  // (firing - reference) / reference * 100
  double Fmed_pct = 0.0;
  double Fmax_pct = 0.0;
  double duration_pct = 0.0;
  double rms = 0.0;      // N, of the difference of the curves over the longer burn
  double rms_pct = 0.0;  // of the reference's average thrust
};

// The figures of POINTS, a curve from ignition after the implicit (0, 0).
CurveFigures curve_figures(const Curve& points);

// FIRING against REFERENCE, both from ignition; the reference's
// designation is REFERENCE_NAME, the one its file gives.
CurveComparison compare_curves(const Curve& firing, const Curve& reference, const std::string& reference_name);

// The comparison as the reports print it: a table of the figures, the
// differences as "+5,0 %".
std::string comparison_text(const CurveComparison& c, const std::string& reference_file);

#endif  // TALVIRONESKA_INSPECT_ENGINE_COMPARISON_H_
