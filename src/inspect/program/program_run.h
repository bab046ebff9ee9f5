// What the program will report for a window: its own reading loop and
// figures, run over the thrust data file a second time with the exact
// values that the program reads.
#ifndef TALVIRONESKA_INSPECT_PROGRAM_PROGRAM_RUN_H_
#define TALVIRONESKA_INSPECT_PROGRAM_PROGRAM_RUN_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/run_context.h"
#include "inspect/program/thrust_records.h"
#include "inspect/program/window.h"

// The figures of a run that the companion reports and compares.
struct ProgramFigures {
  double It = 0.0;
  double Fmed = 0.0;
  double tq = 0.0;
  double Fmax = 0.0;
  double tmax = 0.0;  // as the report prints it: from ti with the time-origin option 0
  double Fmin = 0.0;
  double Is = 0.0;
  std::string classe;  // trimmed; empty when none
  std::int32_t nc = 0;
};

ProgramFigures program_figures(const RunContext& rc);

// VALUES and the parameter figures in RC, as the program has them after the
// case parameter file, before its reading step.
void start_program_run(const CaseValues& values, RunContext& rc);

// Runs the program's steps after the case parameter file on SOURCE with
// VALUES (w > 0) in RC, whose curve arrays hold rc.nmax points, as the
// program does: parameter figures, the reading
// with its window, the integral figures and the class. True when a record
// beyond the window ended the reading; false, with the figures not set,
// when an unreadable line, the end of the file or full arrays came first.
bool run_program(const ThrustSource& source, const CaseValues& values, RunContext& rc);

// The same on FILE's own records, read once already: FILE's thrust array
// becomes RC's curve array, and the reading keeps each point in place (the
// k-th point kept comes from the k-th record or a later one, read before
// the point is written). FILE's thrusts are gone afterwards; its times stay.
bool run_program_on_records(ThrustFile& file, const CaseValues& values, RunContext& rc);

// The program's figures for window VALUES from the curve of a wider window
// that RC has just built: with times in order, its points are the POINTS of
// that curve from OFFSET on (the same records, raised to the same Fcor),
// kept from record FIRST_KEPT on. They are moved to the front and the
// program's running extremes (at the times T), integral figures and class
// run on them.
void run_program_on_curve_stretch(RunContext& rc, const CaseValues& values, std::size_t offset, std::size_t points,
                                  std::span<const double> t, std::size_t first_kept);

#endif  // TALVIRONESKA_INSPECT_PROGRAM_PROGRAM_RUN_H_
