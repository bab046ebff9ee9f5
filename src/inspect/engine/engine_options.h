// What a command line asks of the engine files (--eng, --rse and the
// motor's sizes, masses, delays and maker), shared by the check and the
// series: each command's options derive from it, so its table names these
// members as its own.
#ifndef TALVIRONESKA_INSPECT_ENGINE_ENGINE_OPTIONS_H_
#define TALVIRONESKA_INSPECT_ENGINE_ENGINE_OPTIONS_H_

#include <optional>
#include <string>

#include "inspect/engine/engine_file.h"

struct EngineRequest {
  std::string eng_file;                   // --eng FILE
  std::string rse_file;                   // --rse FILE
  double diameter = 0.0;                  // --diametro MM
  double length = 0.0;                    // --comprimento MM
  std::optional<double> total_mass;       // --massa-total KG
  std::optional<double> propellant_mass;  // --massa-propelente KG; else the case's M
  std::optional<std::string> delays;      // --atrasos LISTA; "0" when not given
  std::optional<std::string> maker;       // --fabricante NOME; kEngDefaultMaker when not given
};

// Whether any of the motor's values is given.
bool engine_values_given(const EngineRequest& r);

// Why R cannot be used when the engine files are written (WRITES), or
// empty: the sizes and the total mass missing or under what a simulator
// takes, a propellant mass not below the total, delays or a maker that
// the files cannot hold. FILES names the options that ask for the files
// ("--eng", "--eng ou --rse").
std::string engine_request_problem(const EngineRequest& r, bool writes, const std::string& files);

// The motor R describes, named DESIGNATION, with PROPELLANT (kg) when
// --massa-propelente is not given.
EngineMotor requested_motor(const EngineRequest& r, const std::string& designation, double propellant);

// The options a command needs for the engine files, as its messages name them.
inline constexpr char kEngineSizeOptions[] = "--diametro MM --comprimento MM --massa-total KG";

#endif  // TALVIRONESKA_INSPECT_ENGINE_ENGINE_OPTIONS_H_
