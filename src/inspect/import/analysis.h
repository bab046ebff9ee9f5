// What the program makes of the records the import writes: the window of
// the firing's burn on them, and the program's own figures over it.
#ifndef TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_
#define TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_

#include <cstdint>
#include <string>

#include "core/run_context.h"
#include "inspect/firing/burn.h"
#include "inspect/firing/uniform_grid.h"
#include "inspect/program/program_run.h"

struct WrittenWindow {
  // ti at the first record at or after the burn's 5 % rise, tf at the first
  // after its 5 % fall (the last but one when the burn runs to the end, so
  // that a record beyond the window remains), nmax the records inside it.
  double ti = 0.0;
  double tf = 0.0;
  std::int32_t nmax = 0;
};

// The window of BURN (found on the converted records) on CURVE (at least
// two points), as the program would read it with the rate W. The program's
// figures over it are case_figures' on the case written.
WrittenWindow window_on_curve(const WrittenCurve& curve, const Burn& burn, std::int32_t w);

// The program's figures over the window of VALUES (Fcor 0, times counted
// from ti) on the case's thrust data file THRUST_DATA, read by the program's
// own reading step: the figures the program will print for the case. False
// when that reading would stop the program (the file unreadable, ending
// before the window does, or more points in it than nmax).
bool case_figures(const std::string& thrust_data, const CaseValues& values, ProgramFigures* figures);

#endif  // TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_
