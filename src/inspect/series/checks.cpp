#include "inspect/series/checks.h"

#include <cmath>

#include "inspect/series/stats.h"

namespace {

Check check(CheckKind kind, double value, double limit) {
  Check c;
  c.kind = kind;
  c.value = value;
  c.limit = limit;
  return c;
}

// A model-motor limit on the mean; when the motor is a model motor every
// firing beyond the limit fails it.
Check model_limit(CheckKind kind, std::span<const double> values, double mean, double limit, bool model_motor) {
  Check c = check(kind, mean, limit);
  if (!model_motor) {
    c.outcome = CheckOutcome::not_applicable;
    return c;
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!(values[i] <= limit)) c.failing.push_back(i);
  }
  c.outcome = c.failing.empty() ? CheckOutcome::passed : CheckOutcome::failed;
  return c;
}

}  // namespace

bool Certification::passed() const {
  for (const Check& c : checks) {
    if (c.outcome == CheckOutcome::failed) return false;
  }
  return true;
}

Certification certify(const SeriesFigures& f) {
  Certification cert;
  const std::size_t n = f.It.size();
  const FigureStats It = figure_stats(f.It);
  const FigureStats Fmed = figure_stats(f.Fmed);
  std::vector<double> known_M;
  for (double M : f.M) {
    if (M > 0.0) known_M.push_back(M);
  }
  const bool mass_known = known_M.size() == n;
  const double mean_M = known_M.empty() ? 0.0 : figure_stats(known_M).mean;
  cert.model_motor = It.mean <= kModelImpulseLimit && Fmed.mean <= kModelThrustLimit &&
                     (known_M.empty() || mean_M <= kModelPropellantLimit);

  Check spread = check(CheckKind::impulse_spread, It.cv, kMaxImpulseSpread);
  spread.outcome = It.cv <= kMaxImpulseSpread ? CheckOutcome::passed : CheckOutcome::failed;
  cert.checks.push_back(spread);

  Check lot = check(CheckKind::lot_limit, 0.0, It.mean <= kModelImpulseLimit ? kLotShareSmall : kLotShareLarge);
  for (std::size_t i = 0; i < n; ++i) {
    const double share = std::fabs(f.It[i] - It.mean) / It.mean;
    if (!(share <= lot.value)) lot.value = share;
    if (!(share <= lot.limit)) lot.failing.push_back(i);
  }
  lot.outcome = lot.failing.empty() ? CheckOutcome::passed : CheckOutcome::failed;
  cert.checks.push_back(lot);

  Check count = check(CheckKind::firing_count, static_cast<double>(n),
                      static_cast<double>(cert.model_motor ? kMinModelFirings : kMinHighPowerFirings));
  count.outcome = count.value >= count.limit ? CheckOutcome::passed : CheckOutcome::failed;
  cert.checks.push_back(count);

  cert.checks.push_back(model_limit(CheckKind::model_impulse, f.It, It.mean, kModelImpulseLimit, cert.model_motor));
  cert.checks.push_back(model_limit(CheckKind::model_thrust, f.Fmed, Fmed.mean, kModelThrustLimit, cert.model_motor));
  Check mass =
      model_limit(CheckKind::model_propellant, f.M, mean_M, kModelPropellantLimit, cert.model_motor && mass_known);
  cert.checks.push_back(mass);
  return cert;
}
