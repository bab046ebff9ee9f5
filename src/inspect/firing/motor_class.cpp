#include "inspect/firing/motor_class.h"

#include <cmath>

std::optional<MotorClass> motor_class(double It) {
  static const char* const kFractions[] = {"1/8A", "1/4A", "1/2A"};
  // Every limit is 0.3125 times a power of two, exact in double.
  double lower = 0.0;
  double upper = 0.3125;
  for (int band = 0; band < 3 + 26; ++band) {
    if (lower < It && It <= upper) {
      MotorClass c;
      c.letter = band < 3 ? std::string(kFractions[band]) : std::string(1, static_cast<char>('A' + band - 3));
      c.lower = lower;
      c.upper = upper;
      c.percent = (It - lower) / (upper - lower) * 100.0;
      return c;
    }
    lower = upper;
    upper *= 2.0;
  }
  return std::nullopt;
}

std::string designation(const MotorClass& motor_class, double Fmed) {
  return motor_class.letter + std::to_string(std::lround(Fmed));
}

std::string designation_of(double It, double Fmed) {
  const std::optional<MotorClass> c = motor_class(It);
  return c ? designation(*c, Fmed) : std::string();
}
