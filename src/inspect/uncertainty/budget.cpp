#include "inspect/uncertainty/budget.h"

#include <algorithm>
#include <cmath>

#include "inspect/calibration/options.h"
#include "inspect/firing/curve.h"
#include "inspect/uncertainty/coverage.h"

namespace {

constexpr double kRoot3 = 1.7320508075688772;

BudgetTerm given(const char* name, const char* label, double u, double dof = kInfiniteDof) {
  return {name, label, true, false, std::fabs(u), dof, 0.0};
}
// A term from a bound, taken as the half-width of a rectangle: u = bound / sqrt(3).
BudgetTerm bounded(const char* name, const char* label, double u) {
  return {name, label, true, true, std::fabs(u), kInfiniteDof, 0.0};
}
BudgetTerm not_given(const char* name, const char* label) {
  return {name, label, false, false, 0.0, kInfiniteDof, 0.0};
}

// The trapezoid over records [first, last] and its weights' root sum of
// squares: white noise of 1 N gives the impulse that standard uncertainty.
double noise_weights(std::span<const double> t, std::size_t first, std::size_t last) {
  double sum = 0.0;
  for (std::size_t i = first; i <= last; ++i) {
    const double w = trapezoid_weight(t, first, last, i);
    sum += w * w;
  }
  return std::sqrt(sum);
}

// The trapezoid on records [first, last] against the trapezoid on every
// other record of them: a third of the difference, Richardson's estimate of
// the finer rule's error.
double integration_u(std::span<const double> t, std::span<const double> F, std::size_t first, std::size_t last) {
  const double fine = trapezoid_sum(t, first, last, [&](std::size_t i) { return F[i]; });
  double coarse = 0.0;
  std::size_t i = first;
  for (; i + 2 <= last; i += 2) coarse += trapezoid(t[i], F[i], t[i + 2], F[i + 2]);
  if (i < last) coarse += trapezoid(t[i], F[i], t[last], F[last]);
  return std::fabs(fine - coarse) / 3.0;
}

// Steps longer than 1.5 median steps inside the burn: the curve across each
// is unknown between its two records; the trapezoid lies between the two
// rectangles, a half-width of step x |jump| / 2 taken as rectangular.
double gaps_u(std::span<const double> t, std::span<const double> F, std::size_t first, std::size_t last,
              double median_step) {
  double sum = 0.0;
  for (std::size_t i = first; i < last && median_step > 0.0; ++i) {
    const double dt = t[i + 1] - t[i];
    if (dt <= 1.5 * median_step) continue;
    const double half = 0.5 * dt * std::fabs(F[i + 1] - F[i]);
    sum += half * half / 3.0;
  }
  return std::sqrt(sum);
}

// The scale's terms: the calibration, else the data sheet's; relative
// standard uncertainties of the force in *SCALE.
void scale_terms(const Burn& b, const UncertaintyInputs& in, std::vector<BudgetTerm>* terms, double* scale) {
  const double It = b.It;
  double sum = 0.0;
  if (const auto& c = in.calibration) {
    const double rel = c->u_b / std::fabs(c->b);
    // The offset a is the same for every reading: the zero taken off cancels it.
    terms->push_back(
        given("calibration", "calibração: inclinação b (o deslocamento a se cancela com o zero)", It * rel, c->dof));
    terms->push_back(given("reference_masses", "massas padrão", It * c->u_masses_rel));
    const double rel_g = c->gravity > 0.0 ? c->u_gravity / c->gravity : 0.0;
    terms->push_back(given("gravity", "gravidade local", It * rel_g));
    sum = rel * rel + c->u_masses_rel * c->u_masses_rel + rel_g * rel_g;
  } else if (in.u_factor_percent) {
    const double rel = *in.u_factor_percent / 100.0;
    terms->push_back(given("calibration", "fator da célula (--u-fator)", It * rel));
    sum = rel * rel;
  } else {
    terms->push_back(not_given("calibration", "calibração (--calibracao ou --u-fator)"));
  }
  *scale = std::sqrt(sum);
}

// The cell's nonlinearity and hysteresis over the burn, each a bound on
// every reading taken as rectangular; in *FORCE_U their u on one reading.
void cell_terms(const Burn& b, const UncertaintyInputs& in, std::vector<BudgetTerm>* terms, double* force_u) {
  double nl = -1.0;
  if (in.calibration) {
    nl = in.calibration->nonlinearity;
  } else if (in.nonlinearity_percent) {
    nl = *in.nonlinearity_percent / 100.0 * b.Fmax;
  }
  double sum = 0.0;
  if (nl >= 0.0) {
    terms->push_back(bounded("nonlinearity", "não linearidade da célula", nl / kRoot3 * b.duration));
    sum += nl * nl / 3.0;
  } else {
    terms->push_back(not_given("nonlinearity", "não linearidade (--calibracao ou --nao-linearidade)"));
  }
  if (in.calibration && in.calibration->hysteresis) {
    const double h = 0.5 * *in.calibration->hysteresis;
    terms->push_back(bounded("hysteresis", "histerese da célula", h / kRoot3 * b.duration));
    sum += h * h / 3.0;
  } else if (in.calibration) {
    terms->push_back(not_given("hysteresis", "histerese (a calibração não descarregou)"));
  }
  *force_u = std::sqrt(sum);
}

// Under --vertical with the propellant's mass, the change of the reading
// from the weight burnt (N): its sign that of the zero's shift, down for a
// motor pressing on the cell, up for one hanging from it; with no shift
// measured, taken as down. 0 without --vertical or a mass.
double weight_change(const FiringAnalysis& a, const UncertaintyInputs& in) {
  if (!in.vertical || !in.propellant_mass) return 0.0;
  const double g = in.calibration && in.calibration->gravity > 0.0 ? in.calibration->gravity : kStandardGravityValue;
  const double weight = *in.propellant_mass * g;
  const bool sign_known = a.zero_before && a.zero_after && a.zero_shift != 0.0;
  return sign_known ? std::copysign(weight, a.zero_shift) : -weight;
}

// The zero's mean on each side, and its shift across the burn after the
// analysis's line between them; in *ZERO_U the zero's u, in *NOISE the
// noise of one reading. The part of the shift that is the weight burnt
// (WEIGHT, N) has its own term: only the cell's own drift is left here.
void zero_terms(std::span<const double> t, const FiringAnalysis& a, double weight, std::vector<BudgetTerm>* terms,
                double* zero_u, double* noise) {
  const Burn& b = *a.burn;
  const auto mean_u = [](const QuietStretch& q) {
    return q.noise / std::sqrt(static_cast<double>(q.last - q.first + 1));
  };
  *noise = a.zero_before ? a.zero_before->noise : a.zero.noise;
  if (a.zero_before) {
    const double ub = mean_u(*a.zero_before);
    const double ua = a.zero_after ? mean_u(*a.zero_after) : ub;
    *zero_u = a.zero_after ? std::sqrt(ub * ub + ua * ua) / 2.0 : ub;
    terms->push_back(given("zero", "zero: média antes e depois da queima", *zero_u * b.duration,
                           static_cast<double>(a.zero_before->last - a.zero_before->first)));
  } else {
    *zero_u = 0.0;
    terms->push_back(not_given("zero", "zero (não há trecho quieto antes da queima)"));
  }
  const bool corrected = a.burn_zero.before != a.burn_zero.after;
  const double drift = a.zero_after && a.zero_before ? a.zero_shift - weight : 0.0;
  if (a.zero_before && a.zero_after && corrected) {
    // The line between the two zeros is taken off: what is left of the
    // drift's path across the burn, at most half of it either way.
    terms->push_back(bounded("zero_shift", "deriva do zero durante a queima, depois da correção linear",
                             std::fabs(drift) / (2.0 * kRoot3) * b.duration));
  } else if (a.zero_before && a.zero_after) {
    // A shift too small for the analysis to correct stays in the impulse:
    // up to what the line would have changed, for the drift's share of it.
    const double effect = a.zero_shift != 0.0 ? a.shift_effect * drift / a.zero_shift : 0.0;
    terms->push_back(
        bounded("zero_shift", "deriva do zero durante a queima, não corrigida", std::fabs(effect) / kRoot3));
  } else {
    terms->push_back(not_given("zero_shift", a.zero_before ? "deriva do zero (não há zero depois da queima)"
                                                           : "deriva do zero (não há zero antes da queima)"));
  }
  terms->push_back(given("noise", "ruído das leituras", *noise * noise_weights(t, b.first, b.last)));
}

// The time base: the stamps' clock, or for a log without stamps the rate it
// was read at; in *CLOCK the relative u of the time scale.
void time_base_term(const Burn& b, const UncertaintyInputs& in, std::vector<BudgetTerm>* terms, double* clock) {
  *clock = in.u_clock_ppm ? *in.u_clock_ppm * 1e-6 : 0.0;
  if (in.nominal_rate > 0.0) {
    terms->push_back(
        in.u_clock_ppm
            ? given("rate", "taxa nominal do registro sem tempos (--taxa, incerteza por --u-relogio)", b.It * *clock)
            : not_given("rate", "taxa nominal do registro sem tempos (--taxa; a real por --u-relogio PPM)"));
    return;
  }
  terms->push_back(in.u_clock_ppm ? given("clock", "relógio do registrador", b.It * *clock)
                                  : not_given("clock", "relógio do registrador (--u-relogio PPM)"));
}

// The burnt fraction phi of the propellant over the burn of S, in
// proportion to the impulse delivered: its integral from start to end (s),
// and that of the half-width of phi's bound (s) with the exhaust speed
// within kExhaustSpeedSpread of its mean.
struct BurntShare {
  double phi = 0.0;
  double spread = 0.0;
};

double spread_of(double phi) {
  constexpr double e = kExhaustSpeedSpread;
  const double high = phi * (1.0 + e) / (phi * (1.0 + e) + (1.0 - phi) * (1.0 - e));
  const double low = phi * (1.0 - e) / (phi * (1.0 - e) + (1.0 - phi) * (1.0 + e));
  return 0.5 * (high - low);
}

BurntShare burnt_share(const Signal& s, const Burn& b) {
  BurntShare share;
  double delivered = 0.0;  // N s from the start to record i
  double phi = 0.0;
  double time = b.start;
  double force = b.threshold;
  const auto step = [&](double t, double f) {
    delivered += trapezoid(time, force, t, f);
    const double next = b.It > 0.0 ? std::clamp(delivered / b.It, 0.0, 1.0) : 0.0;
    share.phi += trapezoid(time, phi, t, next);
    share.spread += trapezoid(time, spread_of(phi), t, spread_of(next));
    phi = next;
    time = std::max(time, t);
    force = f;
  };
  for (std::size_t i = b.first; i <= b.last; ++i) step(s.t[i], above(s, i));
  if (b.ends_in_file) step(b.end, b.threshold);
  return share;
}

// The weight of the propellant burnt during the burn, under --vertical: in
// *CORRECTION what the records' impulse lacks of the thrust.
void vertical_term(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                   const UncertaintyInputs& in, std::vector<BudgetTerm>* terms, double* correction) {
  *correction = 0.0;
  if (!in.vertical) return;
  if (!in.propellant_mass) {
    terms->push_back(not_given("vertical", "peso do propelente queimado (--vertical pede a massa de propelente)"));
    return;
  }
  const Burn& b = *a.burn;
  const Signal s = burn_signal(t, F, a);
  const double change = weight_change(a, in);
  const double weight = std::fabs(change);
  const BurntShare share = burnt_share(s, b);
  const double rise = s.zero.after - s.zero.before;
  const double line = rise != 0.0 ? zero_rise(s.zero, b.start, b.end) / rise : 0.0;
  const bool sign_known = a.zero_before && a.zero_after && a.zero_shift != 0.0;
  const double c = -change * (share.phi - line);
  const double model = weight * share.spread;
  const double by_mass = c * in.u_propellant_mass.value_or(0.0) / *in.propellant_mass;
  double sum = model * model / 3.0 + by_mass * by_mass;
  if (sign_known) {
    *correction = c;
  } else {
    sum += c * c / 3.0;
  }
  terms->push_back({"vertical",
                    sign_known ? "peso do propelente queimado (--vertical), corrigido"
                               : "peso do propelente queimado (--vertical), sem zero depois da queima para corrigir",
                    true, true, std::sqrt(sum), kInfiniteDof, 0.0});
}

}  // namespace

Signal burn_signal(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a) {
  const std::size_t n = std::min(t.size(), F.size());
  Signal s{t.first(n), F.first(n), a.burn_zero, a.set_aside};
  // The analysis counts from 0 when no zero is clearly off it.
  if (a.burn && a.burn->zero != a.burn_zero.before) s.zero = constant_zero(t, F, 0.0).zero;
  return s;
}

std::string stand_figures_problem(const StandFigures& figures, bool calibration_file) {
  if (!calibration_file || (!figures.u_factor_percent && !figures.nonlinearity_percent)) return "";
  return "--u-fator e --nao-linearidade são da folha de dados da célula: com --calibracao, a calibração os dá";
}

Budget impulse_budget(std::span<const double> t, std::span<const double> F, const FiringAnalysis& a,
                      const UncertaintyInputs& in) {
  Budget budget;
  const Burn& b = *a.burn;
  double scale = 0.0;
  double cell_u = 0.0;
  double zero_u = 0.0;
  double noise = 0.0;
  scale_terms(b, in, &budget.terms, &scale);
  cell_terms(b, in, &budget.terms, &cell_u);
  // With no zero after the burn to say which way the weight went, the
  // vertical term bounds it whole and the shift has no term to share.
  const bool weight_known = a.zero_before && a.zero_after && a.zero_shift != 0.0;
  zero_terms(t, a, weight_known ? weight_change(a, in) : 0.0, &budget.terms, &zero_u, &noise);
  budget.reading_noise = noise;
  double clock = 0.0;
  time_base_term(b, in, &budget.terms, &clock);
  vertical_term(t, F, a, in, &budget.terms, &budget.vertical_correction);
  budget.terms.push_back(bounded("gaps", "lacunas na queima", gaps_u(t, F, b.first, b.last, a.rate.median_step)));
  budget.terms.push_back(given("integration", "integração (trapézio contra um registro sim, um não)",
                               integration_u(t, F, b.first, b.last)));

  double sum = 0.0;
  EffectiveDof dof;
  for (const BudgetTerm& term : budget.terms) {
    sum += term.u * term.u;
    if (!term.given) budget.missing.push_back(term.name);
  }
  budget.u = std::sqrt(sum);
  for (BudgetTerm& term : budget.terms) {
    term.share = sum > 0.0 ? term.u * term.u / sum : 0.0;
    dof.add(term.u, term.dof);
  }
  budget.complete = budget.missing.empty();
  budget.dof = dof.of(budget.u);
  budget.k = coverage_factor(budget.dof);
  budget.U = budget.k * budget.u;

  const double u_Fmax = std::sqrt(b.Fmax * scale * b.Fmax * scale + cell_u * cell_u + zero_u * zero_u + noise * noise);
  const double u_tq = std::hypot(b.duration * clock, a.rate.median_step / std::sqrt(6.0));
  budget.U_Fmax = budget.k * u_Fmax;
  budget.U_tq = budget.k * u_tq;
  // The time base scales the impulse and the duration alike: it cancels in
  // their ratio.
  const double It_rel2 = sum / (b.It * b.It) - clock * clock;
  const double tq_rel2 = u_tq * u_tq / (b.duration * b.duration) - clock * clock;
  budget.U_Fmed = budget.k * b.Fmed * std::sqrt(std::max(0.0, It_rel2) + std::max(0.0, tq_rel2));
  return budget;
}
