// A published engine file read back for comparison: the RASP text file
// (.eng) or RockSim's XML (.rse), held to the rules the writer keeps, but
// taking what makers' and databases' files hold: comments, blank lines,
// CR LF, runs of spaces, a designation with the propellant's letter after
// the average thrust ("F67W"), a leading point at 0 s, more than 32 points.
#ifndef TALVIRONESKA_INSPECT_ENGINE_ENGINE_READING_H_
#define TALVIRONESKA_INSPECT_ENGINE_ENGINE_READING_H_

#include <string>
#include <string_view>
#include <vector>

#include "inspect/engine/engine_curve.h"

struct PublishedMotor {
  std::string designation;
  std::string maker;
  double diameter = 0.0;         // mm
  double length = 0.0;           // mm
  double propellant_mass = 0.0;  // kg
  double total_mass = 0.0;       // kg
  Curve points;                  // from ignition, rising times, the last at zero thrust
};

// The first motor of an .eng file's TEXT; false with *PROBLEM, in
// Portuguese, naming the line, for anything the writer would refuse.
bool read_eng_motor(std::string_view text, PublishedMotor* motor, std::string* problem);

// The engine of an .rse file's TEXT (masses in grams there); false with
// *PROBLEM as read_eng_motor.
bool read_rse_motor(std::string_view text, PublishedMotor* motor, std::string* problem);

// The motor of the file NAME (a native name): .rse by its first non-blank
// character '<', else .eng. False with *PROBLEM naming the file.
bool read_published_motor(const std::string& name, PublishedMotor* motor, std::string* problem);

#endif  // TALVIRONESKA_INSPECT_ENGINE_ENGINE_READING_H_
