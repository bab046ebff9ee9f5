#include "inspect/firing/motor_class.h"

#include <algorithm>
#include <cmath>

#include "analysis/impulse_class.h"
#include "inspect/common/text.h"

std::optional<MotorClass> motor_class(double It) {
  const std::optional<ImpulseBand> band = impulse_band(It);
  if (!band) return std::nullopt;
  MotorClass c;
  c.letter = std::string(band->name);
  c.lower = band->lower;
  c.upper = band->upper;
  c.percent = (It - band->lower) / (band->upper - band->lower) * 100.0;
  return c;
}

std::string designation(const MotorClass& motor_class, double Fmed) {
  if (!(Fmed < 0.5)) return motor_class.letter + std::to_string(std::lround(Fmed));
  // A motor of millinewtons: two significant digits, never "A0".
  const int exponent = Fmed > 0.0 ? static_cast<int>(std::floor(std::log10(Fmed))) : -1;
  return motor_class.letter + fixed(Fmed, std::min(1 - exponent, 12));
}

std::string designation_of(double It, double Fmed) {
  const std::optional<MotorClass> c = motor_class(It);
  return c ? designation(*c, Fmed) : std::string();
}
