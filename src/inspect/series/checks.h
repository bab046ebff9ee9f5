// The certification checks of a series of firings of one motor type: the
// spread of the total impulse, each firing against the lot limit, the number
// of firings, and the model-motor limits that decide the category.
#ifndef TALVIRONESKA_INSPECT_SERIES_CHECKS_H_
#define TALVIRONESKA_INSPECT_SERIES_CHECKS_H_

#include <cstddef>
#include <span>
#include <vector>

inline constexpr double kMaxImpulseSpread = 0.067;      // sigma(It) / mean It
inline constexpr double kModelImpulseLimit = 160.0;     // N s
inline constexpr double kModelThrustLimit = 80.0;       // N
inline constexpr double kModelPropellantLimit = 0.125;  // kg
inline constexpr double kLotShareSmall = 0.20;          // It within 20 % of the mean up to 160 N s
inline constexpr double kLotShareLarge = 0.10;          // and within 10 % above
inline constexpr std::size_t kMinModelFirings = 10;
inline constexpr std::size_t kMinHighPowerFirings = 2;

enum class CheckKind { impulse_spread, lot_limit, firing_count, model_impulse, model_thrust, model_propellant };
enum class CheckOutcome { passed, failed, not_applicable };

struct Check {
  CheckKind kind = CheckKind::impulse_spread;
  double value = 0.0;  // what was measured: a share, a count, a mean
  double limit = 0.0;
  CheckOutcome outcome = CheckOutcome::passed;
  std::vector<std::size_t> failing;  // the firings (from 0) that fail it
};

struct Certification {
  bool model_motor = false;   // every mean within the model-motor limits
  std::vector<Check> checks;  // in the order of CheckKind
  bool passed() const;
};

struct SeriesFigures {
  std::span<const double> It;    // N s, the program's
  std::span<const double> Fmed;  // N, the program's
  std::span<const double> M;     // kg; 0 where the propellant mass is unknown
};

// The checks for the firings in FIGURES (all spans of one length, at least
// one). A motor is a model motor when mean It, mean Fmed and the mean known
// propellant mass are within the model-motor limits; then every firing must
// be, and ten firings are needed, else two. The lot limit follows the mean
// impulse alone. An unknown mass leaves the mass check not applicable.
Certification certify(const SeriesFigures& figures);

#endif  // TALVIRONESKA_INSPECT_SERIES_CHECKS_H_
