// The impulse class of a motor, through N and beyond (O, P, Q, ...), with
// where the impulse lies inside its class.
#ifndef TALVIRONESKA_INSPECT_FIRING_MOTOR_CLASS_H_
#define TALVIRONESKA_INSPECT_FIRING_MOTOR_CLASS_H_

#include <optional>
#include <string>

struct MotorClass {
  std::string letter;    // "1/8A", "1/4A", "1/2A", "A" ... "Z"
  double lower = 0.0;    // N s, exclusive
  double upper = 0.0;    // N s, inclusive
  double percent = 0.0;  // (It - lower) / (upper - lower) * 100
};

// The class of It by the program's bands continued past N (impulse_band),
// with where It lies in it. Nothing for It <= 0 or beyond class Z.
std::optional<MotorClass> motor_class(double It);

// The usual designation: class letter and average thrust rounded to whole
// newtons ("F66"); under 0.5 N, with two significant digits ("1/8A0.0030").
std::string designation(const MotorClass& motor_class, double Fmed);

// The designation of a motor of impulse IT and average thrust FMED; empty
// outside every class.
std::string designation_of(double It, double Fmed);

#endif  // TALVIRONESKA_INSPECT_FIRING_MOTOR_CLASS_H_
