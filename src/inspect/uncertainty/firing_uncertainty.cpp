#include "inspect/uncertainty/firing_uncertainty.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "inspect/common/text.h"
#include "inspect/uncertainty/coverage.h"

FiringUncertainty firing_uncertainty(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                                     const UncertaintyInputs& in) {
  FiringUncertainty u;
  u.budget = impulse_budget(t, F, a, in);
  u.It = a.burn->It + u.budget.vertical_correction;
  if (near_class_boundary(u.It, u.budget.U)) u.classes = class_probability(t, F, a, u.budget);
  if (in.calibration) u.calibration_top_load = in.calibration->top_load;
  u.u_propellant_mass = in.u_propellant_mass;
  return u;
}

double specific_impulse_U(const FiringUncertainty& u, double Is, double M) {
  const double mass = u.u_propellant_mass.value_or(0.0) / M;
  return u.budget.k * std::fabs(Is) * std::hypot(u.budget.u / u.It, mass);
}

namespace {

// The terms of the stand rather than of one firing: the same error in every
// firing of a series.
bool stand_term(const char* name) {
  for (const char* stand :
       {"calibration", "reference_masses", "gravity", "nonlinearity", "hysteresis", "clock", "rate", "vertical"}) {
    if (std::strcmp(name, stand) == 0) return true;
  }
  return false;
}

}  // namespace

MeanUncertainty mean_impulse_uncertainty(std::span<const FiringUncertainty* const> firings) {
  MeanUncertainty mean;
  if (firings.empty()) return mean;
  const double n = static_cast<double>(firings.size());
  double own = 0.0;                // sum over firings and their own terms of (u / n)^2
  std::vector<double> stand;       // per term of the stand, in the first firing's order: the mean of its u
  std::vector<const char*> names;  // those terms
  mean.k = 0.0;
  for (const FiringUncertainty* f : firings) {
    mean.k = std::max(mean.k, f->budget.k);
    mean.complete = mean.complete && f->budget.complete;
    for (const BudgetTerm& t : f->budget.terms) {
      if (!stand_term(t.name)) {
        own += t.u * t.u / (n * n);
        continue;
      }
      auto at = std::find_if(names.begin(), names.end(), [&](const char* x) { return std::strcmp(x, t.name) == 0; });
      if (at == names.end()) {
        names.push_back(t.name);
        stand.push_back(0.0);
        at = names.end() - 1;
      }
      stand[static_cast<std::size_t>(at - names.begin())] += t.u / n;
    }
  }
  double sum = own;
  for (double u : stand) sum += u * u;
  mean.U = mean.k * std::sqrt(sum);
  return mean;
}

std::string class_chances_text(const std::vector<ClassChance>& classes) {
  std::string text;
  for (const ClassChance& c : classes) {
    text += (text.empty() ? "P(" : "; P(") + c.letter + ") = " + fixed(c.probability, 2);
  }
  return text;
}

void report_uncertainty(Report& out, const FiringUncertainty& u, const Burn& b) {
  const Budget& g = u.budget;
  const std::string partial = g.complete ? "" : " (só os termos informados)";
  out.line("  incerteza expandida U (k = " + fixed(g.k, 2) + ", 95 %" +
           (g.dof < 30.0 ? ", " + fixed(g.dof, 0) + " graus de liberdade efetivos" : std::string()) + "):" + partial);
  if (g.vertical_correction != 0.0) {
    out.line("    impulso total corrigido do peso do propelente queimado (--vertical): " + fixed(b.It, 3) + " " +
             (g.vertical_correction < 0.0 ? "- " : "+ ") + fixed(std::fabs(g.vertical_correction), 3) + " N·s =");
  }
  out.line("    impulso total " + fixed(u.It, 3) + " ± " + fixed(g.U, 3) + " N·s (" + fixed(g.U / u.It * 100.0, 2) +
           " %)" + partial);
  out.line("    empuxo médio " + fixed(b.Fmed, 3) + " ± " + fixed(g.U_Fmed, 3) + " N; empuxo máximo " +
           fixed(b.Fmax, 3) + " ± " + fixed(g.U_Fmax, 3) + " N; duração " + fixed(b.duration, 4) + " ± " +
           fixed(g.U_tq, 4) + " s");
  out.line("    termos do impulso, incerteza padrão u e parcela de u²:");
  for (const BudgetTerm& term : g.terms) {
    const std::string value =
        term.given ? fixed(term.u, 4) + " N·s  " + fixed(term.share * 100.0, 1) + " %" : std::string("não informado");
    out.line("      " + std::string(term.label) + ": " + value);
  }
  out.line("    u combinada " + fixed(g.u, 4) + " N·s");
  if (!g.complete) {
    out.line("    U não cobre os termos não informados: não é a incerteza inteira do impulso");
  }
  if (!u.classes.empty()) {
    out.line("    o intervalo alcança outra classe: " + class_chances_text(u.classes));
  }
  if (u.calibration_top_load > 0.0 && u.calibration_top_load < 0.5 * b.Fmax) {
    out.warn("a maior carga da calibração, " + fixed(u.calibration_top_load, 3) + " N, não chega à metade do pico, " +
             fixed(b.Fmax, 3) + " N: o fator é extrapolado; calibre até o pico esperado");
  }
}
