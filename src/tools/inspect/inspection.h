// The inspection of one thrust data file, with or without the case that
// will read it, and its report in Portuguese.
#ifndef TALVIRONESKA_TOOLS_INSPECT_INSPECTION_H_
#define TALVIRONESKA_TOOLS_INSPECT_INSPECTION_H_

#include <cstdint>
#include <optional>
#include <string>

#include "tools/inspect/burn.h"
#include "tools/inspect/motor_class.h"
#include "tools/inspect/program_run.h"
#include "tools/inspect/thrust_records.h"

inline constexpr int kStatusFits = 0;
inline constexpr int kStatusWarnings = 1;
inline constexpr int kStatusUnusable = 2;

struct InspectInput {
  std::string thrust_name;  // the file's name as the report shows it
  ThrustFile file;
  std::int32_t rate = 0;    // w from --rate; 0 to take it from the median step
  std::optional<CaseValues> case_values;  // read from the case parameter file
  std::string case_name;    // the case parameter file's name
};

struct InspectResult {
  int status = kStatusFits;
  std::string report;  // for stdout
  std::string error;   // the one line for stderr when status is kStatusUnusable
  std::int32_t w = 0;  // the rate used
  std::optional<Burn> burn;
  std::optional<MotorClass> motor_class;
  std::string designation;
};

InspectResult inspect(const InspectInput& input);

#endif  // TALVIRONESKA_TOOLS_INSPECT_INSPECTION_H_
