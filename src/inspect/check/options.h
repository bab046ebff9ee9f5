// The command line of talvironeska-inspect with no subcommand, the check.
// Options are Portuguese words (--de, --ate, --diametro ...), but for --rate
// and --eng, kept as they were.
#ifndef TALVIRONESKA_INSPECT_CHECK_OPTIONS_H_
#define TALVIRONESKA_INSPECT_CHECK_OPTIONS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "inspect/common/command_line.h"
#include "inspect/engine/engine_options.h"
#include "inspect/uncertainty/budget.h"

// The engine files' options are those of EngineRequest, the stand's figures
// for the budget those of StandFigures.
struct Options : EngineRequest, StandFigures {
  bool version = false;
  std::string thrust_file;       // empty: read the case in the current directory
  std::int32_t rate = 0;         // --rate HZ; 0 when not given
  std::optional<double> from;    // --de S: look for the burn from this time on
  std::optional<double> to;      // --ate S: and up to this time
  std::int32_t event = 0;        // --evento N: the burn is event N of the list
  bool inverted = false;         // --inverter: the thrust is read mirrored
  std::string reference_file;    // --referencia FILE: a published curve to compare with
  std::string json_file;         // --json FILE; "-" for the standard output
  std::string calibration_file;  // --calibracao: the load cell's .cal; else the case's copy
};

// The check's command line. Beyond the common rules it refuses a second file,
// --rate without a file, --de after --ate, --evento with --de or --ate, and
// --eng or --rse without the motor's sizes and masses.
extern const CommandLineRules<Options> kCheckCommandLine;

extern const CommandText kCheckText;

#endif  // TALVIRONESKA_INSPECT_CHECK_OPTIONS_H_
