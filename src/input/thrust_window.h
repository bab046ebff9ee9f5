// The time window of the thrust data file, applied to one record at a time.
#ifndef TALVIRONESKA_INPUT_THRUST_WINDOW_H_
#define TALVIRONESKA_INPUT_THRUST_WINDOW_H_

#include "analysis/curve.h"
#include "core/run_context.h"

enum class RecordStep {
  read_on,      // read the next record
  end_reading,  // the record lies beyond dt/2 + tf: the reading is over
  arrays_full,  // the record is inside the window but nmax points are kept
};

// Keeps (tlido, Flido) as the next curve point when ti - dt/2 < tlido <
// dt/2 + tf. The window is half a sample wider than [ti, tf] on each side,
// so a sample taken at ti or tf is kept; the bounds are formed as written.
// A record exactly at dt/2 + tf neither is kept nor ends the reading.
inline RecordStep take_record(RunContext& rc, double tlido, double Flido) {
  if (tlido > rc.ti - (rc.dt / 2.0) && tlido < (rc.dt / 2.0) + rc.tf) {
    if (!keep_point(rc, tlido, Flido)) return RecordStep::arrays_full;
  }
  return tlido > (rc.dt / 2.0) + rc.tf ? RecordStep::end_reading : RecordStep::read_on;
}

#endif  // TALVIRONESKA_INPUT_THRUST_WINDOW_H_
