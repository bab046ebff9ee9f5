// The engine files the flight simulators read, written so that a strict
// reader always takes them:
//
// - the RASP text file (.eng): comment lines starting with ';', one header
//   line of seven fields, "designation diameter length delays
//   propellant-mass total-mass maker", then one "time thrust" line per
//   point, single spaces, no tabs;
// - RockSim's XML (.rse): one engine with its figures as attributes and the
//   same points, each with the propellant mass left.
//
// Both carry one curve, printed once: times from ignition, strictly rising
// and all after 0 s, with as many decimals as it takes for no two points to
// print the same time; thrusts with 4 significant digits or more, above 0
// at every point but the last, which is 0.
#ifndef TALVIRONESKA_INSPECT_ENGINE_ENGINE_FILE_H_
#define TALVIRONESKA_INSPECT_ENGINE_ENGINE_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "inspect/engine/engine_curve.h"

// Flight simulators' motor databases refuse a smaller diameter or length.
inline constexpr double kEngMinSizeMm = 1.0;

// The maker written when none is given.
inline constexpr char kEngDefaultMaker[] = "talvironeska";

// The standard gravity, for the specific impulse of the .rse file.
inline constexpr double kStandardGravity = 9.80665;

struct EngineMotor {
  std::string designation;       // "F66", "1/2A3": the class letter and the average thrust
  double diameter = 0.0;         // mm
  double length = 0.0;           // mm
  std::string delays = "0";      // "4-6-8", or "P" for a plugged motor
  double propellant_mass = 0.0;  // kg
  double total_mass = 0.0;       // kg
  std::string maker = kEngDefaultMaker;
  std::string comment;  // where the curve came from, one line
};

// One point as both files print it, and the value the text reads back as.
struct PrintedPoint {
  std::string t;
  std::string F;
  double t_value = 0.0;
  double F_value = 0.0;
};

struct PrintedCurve {
  std::vector<PrintedPoint> points;
  double It = 0.0;    // N s, of the printed values, from (0, 0)
  double peak = 0.0;  // N
};

// The points of a reduced curve (rising times after 0 s, the last at zero
// thrust) as the files print them. A point whose time would print as that
// of the point before it is dropped; an inner thrust at or below 0 is
// printed as the smallest positive value of the finest digits used.
// REQUIRES: the points and their impulse finite.
PrintedCurve printed_curve(const Curve& points);

// Whether TEXT is a list of delays a simulator reads: whole or decimal
// seconds joined by '-' ("4-6-8"), or "P" for a plugged motor.
bool valid_delays(std::string_view text);

// Whether NAME may be a maker's name in the files: printable ASCII, no
// blanks, no quotes, no ';', 1 to 32 characters.
bool valid_maker(std::string_view name);

// Why MOTOR cannot be written, in Portuguese, or empty: a designation
// without its average thrust, a size under 1 mm, a propellant mass not
// above 0 or not below the total mass, a figure not finite.
std::string engine_motor_problem(const EngineMotor& motor);

// The .eng file's text, LF line ends, ASCII only. REQUIRES: MOTOR without
// a problem.
std::string eng_text(const EngineMotor& motor, const PrintedCurve& curve);

// The .rse file's text, UTF-8 (ASCII only), LF line ends: sizes in mm,
// masses in grams, the propellant mass of each point falling with the
// impulse delivered. REQUIRES: MOTOR without a problem.
std::string rse_text(const EngineMotor& motor, const PrintedCurve& curve);

#endif  // TALVIRONESKA_INSPECT_ENGINE_ENGINE_FILE_H_
