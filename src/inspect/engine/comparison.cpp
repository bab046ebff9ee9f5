#include "inspect/engine/comparison.h"

#include <algorithm>
#include <cmath>

#include "inspect/common/text.h"
#include "inspect/firing/motor_class.h"

namespace {

// Points of the difference's sampling over the burn.
constexpr std::size_t kRmsSamples = 4000;

// The thrust of CURVE at T, linear between its points, from (0, 0), zero
// past its end; I only moves forward as T rises.
double thrust_at(const Curve& curve, double t, std::size_t& i) {
  while (i < curve.size() && curve.t[i] < t) ++i;
  if (i >= curve.size()) return 0.0;
  const double ta = i == 0 ? 0.0 : curve.t[i - 1];
  const double Fa = i == 0 ? 0.0 : curve.F[i - 1];
  const double tb = curve.t[i];
  const double Fb = curve.F[i];
  return tb > ta ? Fa + (Fb - Fa) * (t - ta) / (tb - ta) : Fb;
}

double percent_of(double value, double reference) { return (value - reference) / reference * 100.0; }

std::string difference(double pct) {
  std::string text = percent(pct, 1);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string row(const std::string& label, double firing, double reference, int decimals, double pct) {
  std::string line = "  " + label;
  line.resize(16, ' ');
  std::string a = fixed(firing, decimals);
  std::string b = fixed(reference, decimals);
  line += std::string(std::max<std::size_t>(1, 12 - a.size()), ' ') + a;
  line += std::string(std::max<std::size_t>(1, 14 - b.size()), ' ') + b;
  return line + "   " + difference(pct) + "\n";
}

}  // namespace

CurveFigures curve_figures(const Curve& points) {
  CurveFigures f;
  f.It = curve_impulse(points);
  f.duration = points.empty() ? 0.0 : points.t.back();
  f.Fmed = f.duration > 0.0 ? f.It / f.duration : 0.0;
  for (const double F : points.F) f.Fmax = std::max(f.Fmax, F);
  if (const auto c = motor_class(f.It)) f.designation = designation(*c, f.Fmed);
  return f;
}

CurveComparison compare_curves(const Curve& firing, const Curve& reference, const std::string& reference_name) {
  CurveComparison c;
  c.firing = curve_figures(firing);
  c.reference = curve_figures(reference);
  c.reference.designation = reference_name;
  c.It_pct = percent_of(c.firing.It, c.reference.It);
  c.Fmed_pct = percent_of(c.firing.Fmed, c.reference.Fmed);
  c.Fmax_pct = percent_of(c.firing.Fmax, c.reference.Fmax);
  c.duration_pct = percent_of(c.firing.duration, c.reference.duration);
  const double span = std::max(c.firing.duration, c.reference.duration);
  double sum = 0.0;
  std::size_t i = 0;
  std::size_t j = 0;
  for (std::size_t k = 0; k < kRmsSamples; ++k) {
    const double t = span * (static_cast<double>(k) + 0.5) / static_cast<double>(kRmsSamples);
    const double d = thrust_at(firing, t, i) - thrust_at(reference, t, j);
    sum += d * d;
  }
  c.rms = std::sqrt(sum / static_cast<double>(kRmsSamples));
  c.rms_pct = c.rms / c.reference.Fmed * 100.0;
  return c;
}

std::string comparison_text(const CurveComparison& c, const std::string& reference_file) {
  std::string text = "Comparação com a curva de referência " + reference_file + " (desde a ignição):\n";
  text += std::string(22, ' ') + "ensaio    referência   diferença\n";
  text += row("It (N s)", c.firing.It, c.reference.It, 3, c.It_pct);
  text += row("Fmed (N)", c.firing.Fmed, c.reference.Fmed, 3, c.Fmed_pct);
  text += row("Fmax (N)", c.firing.Fmax, c.reference.Fmax, 3, c.Fmax_pct);
  text += row("tq (s)", c.firing.duration, c.reference.duration, 4, c.duration_pct);
  std::string designations = "  designação";
  designations.resize(17, ' ');  // one byte more: "ç" takes two
  const std::string a = c.firing.designation.empty() ? "-" : c.firing.designation;
  designations += std::string(std::max<std::size_t>(1, 12 - a.size()), ' ') + a;
  designations += std::string(std::max<std::size_t>(1, 14 - c.reference.designation.size()), ' ');
  text += designations + c.reference.designation + "\n";
  std::string rms = fixed(c.rms_pct, 1);
  std::replace(rms.begin(), rms.end(), '.', ',');
  text +=
      "  diferença RMS das curvas na queima: " + fixed(c.rms, 3) + " N (" + rms + " % do empuxo médio da referência)\n";
  return text;
}
