// A time window (ti, tf) over the log: what the program's reading keeps of
// it, and the impulse of that by the measured stamps against the program's
// fixed step.
#ifndef TALVIRONESKA_INSPECT_PROGRAM_WINDOW_H_
#define TALVIRONESKA_INSPECT_PROGRAM_WINDOW_H_

#include <cstddef>
#include <cstdint>

#include "core/run_context.h"
#include "inspect/program/thrust_records.h"

enum class ProgramEnd {
  past_window,      // a record beyond dt/2 + tf ended the reading: the run goes on
  unreadable_line,  // the reader stopped at a line it cannot read: error 59 or 64
  end_of_file,      // the file ended first: error 24
  arrays_full,      // more than nmax records inside the window: error 408
  arrays_too_big,   // 8 * nmax does not fit in 32 bits: error 179
};

struct WindowReading {
  ProgramEnd end = ProgramEnd::end_of_file;
  std::size_t end_record = 0;   // the record that ended the reading, or found the arrays full
  std::size_t inside = 0;       // records inside the window, counted past nmax
  std::size_t first_kept = 0;   // the first record kept, when inside > 0
  double measured_It = 0.0;     // N s: trapezoid on the measured stamps of the kept records
  double fixed_It = 0.0;        // N s: the program's trapezoid on the fixed step 1/w
  double tared_fixed_It = 0.0;  // the same with the tare subtracted from every thrust first
};

// The program's reading of FILE with V (w > 0), on the exact times and the
// float thrusts: which records it keeps and how it ends, with the thrust
// raised to Fcor as it does it. TARE is for tared_fixed_It only.
WindowReading read_window(const ThrustFile& file, const CaseValues& v, double tare = 0.0);

#endif  // TALVIRONESKA_INSPECT_PROGRAM_WINDOW_H_
