// The inspection of one thrust data file, with or without the case that
// will read it, and its report in Portuguese.
#ifndef TALVIRONESKA_INSPECT_CHECK_INSPECTION_H_
#define TALVIRONESKA_INSPECT_CHECK_INSPECTION_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/run_context.h"
#include "inspect/common/outcome.h"
#include "inspect/engine/engine_curve.h"
#include "inspect/firing/firing.h"
#include "inspect/program/program_run.h"
#include "inspect/program/thrust_records.h"
#include "inspect/program/window.h"
#include "inspect/uncertainty/firing_uncertainty.h"

struct InspectInput {
  std::string thrust_name;  // the file's name as the report shows it
  ThrustSource source;      // read a second time for the program's own figures
  ThrustFile file;
  bool release_records = false;           // free the records' times at the end (the thrusts go to the program's run)
  bool want_eng = false;                  // keep the burn's polyline for an engine file
  std::int32_t rate = 0;                  // w from --rate; 0 to measure it
  FiringChoice choice;                    // --de, --ate, --evento
  std::optional<CaseValues> case_values;  // read from the case parameter file
  std::string case_name;                  // the case parameter file's name
  RunContext* rc = nullptr;               // the run context the case was read into, reused for the program's runs
  std::vector<std::string> name_notes;    // names with bytes nobody sees, plot script lines that run programs: warnings
  std::vector<std::filesystem::path> case_files;  // never written over
  UncertaintyInputs uncertainty;                  // the stand's figures and calibration, for the budget
};

// The program's figures for one window, as its report will print them.
struct PrintedFigures : ProgramFigures {
  std::string non_finite;  // the printed figures that are infinite or not a number, "c, Is"; empty when none
};

struct InspectResult {
  int status = kStatusFits;
  std::string report;      // for stdout
  std::string error;       // the one line for stderr when status is kStatusUnusable
  std::string error_code;  // and, for the JSON document, its stable word ("no-burn" ...)
  std::string error_text;  // and its reason
  FiringAnalysis firing;
  std::int32_t w = 0;                       // the rate used
  std::optional<PrintedFigures> suggested;  // the program's figures on the suggested window
  std::optional<PrintedFigures> in_case;    // and on the case's window
  // The burn as a polyline for the engine file (want_eng), taken before the
  // records are freed.
  Curve burn_polyline;
  std::optional<FiringUncertainty> uncertainty;  // of the burn, when there is one
};

// The report on INPUT. The program's run takes over input.file's thrusts as
// its curve array.
InspectResult inspect(InspectInput& input);

#endif  // TALVIRONESKA_INSPECT_CHECK_INSPECTION_H_
