// What the program will do with a thrust data file and a window: its own
// reading loop and figures, run on the records read here.
#ifndef TALVIRONESKA_TOOLS_INSPECT_PROGRAM_RUN_H_
#define TALVIRONESKA_TOOLS_INSPECT_PROGRAM_RUN_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/run_context.h"
#include "tools/inspect/thrust_records.h"

// The case values that govern the reading and the figures.
struct CaseValues {
  double ti = 0.0;
  double tf = 0.0;
  double Fcor = 0.0;
  double M = 0.0;
  std::int32_t w = 0;
  std::int32_t nmax = 0;
};

enum class ProgramEnd {
  past_window,      // a record beyond dt/2 + tf ended the reading: the run goes on
  unreadable_line,  // the reader stopped at a line it cannot read: error 59 or 64
  end_of_file,      // the file ended first: error 24
  arrays_full,      // more than nmax records inside the window: error 408
  arrays_too_big,   // 8 * nmax does not fit in 32 bits: error 179
};

struct ProgramRun {
  ProgramEnd end = ProgramEnd::end_of_file;
  std::size_t end_record = 0;  // the record that ended the reading or found the arrays full
  std::size_t inside = 0;      // records inside the window, counted past nmax
  std::vector<std::size_t> kept;  // the records kept as curve points, in order
  RunContext rc;               // the figures, set when end is past_window
};

// Runs the program's steps after the case parameter file on FILE with
// VALUES (w > 0), subtracting TARE from every thrust first.
ProgramRun run_program(const ThrustFile& file, const CaseValues& values, double tare = 0.0);

#endif  // TALVIRONESKA_TOOLS_INSPECT_PROGRAM_RUN_H_
