// What the program makes of the records the import writes: the window of
// the firing's burn on them, and the program's own figures over it.
#ifndef TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_
#define TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_

#include <cstdint>
#include <string>

#include "core/run_context.h"
#include "input/thrust_window.h"
#include "inspect/firing/burn.h"
#include "inspect/firing/uniform_grid.h"
#include "inspect/import/case_writer.h"
#include "inspect/log/record.h"
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

// The program's reading step over the points of the case's curve as they
// are written, and its figures: each point goes through take_record with the
// doubles written, which the program reads back the same from the shortest
// digits of the thrust data file.
struct CaseReplay {
  RunContext rc;
  RecordStep step = RecordStep::read_on;
};

// Sets up *REPLAY for the window of VALUES (Fcor 0, times counted from ti)
// with its curve array of values.nmax points; false when that cannot be had.
bool start_replay(const CaseValues& values, CaseReplay* replay);

// Points [FIRST, FIRST + COUNT) of CURVE through the program's reading, in
// order after those before. Nothing once the reading has stopped.
void replay_points(CaseReplay& replay, const WrittenCurve& curve, std::size_t first, std::size_t count);

// What draft_case tells as it writes CURVE, the points of RECORDS: each
// stretch of points through the program's reading into REPLAY, then the
// records behind the next point given back to the system (release_pages):
// the run's curve array grows while the records' memory shrinks. The
// records given back are not to be read again.
PointsWritten replay_as_written(CaseReplay& replay, const WrittenCurve& curve, Records& records);

// The program's figures after the whole curve went through: false when its
// reading would have stopped the program (the curve ending inside the window
// or more points in it than nmax).
bool replay_figures(CaseReplay& replay, ProgramFigures* figures);

#endif  // TALVIRONESKA_INSPECT_IMPORT_ANALYSIS_H_
