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

// The window of the thrust data file: a record at time T lies inside it when
// ti - dt/2 < t < dt/2 + tf, half a sample wider than [ti, tf] on each side,
// so a sample taken at ti or tf is inside; the bounds are formed as written.
inline bool in_window(double t, double ti, double tf, double dt) { return t > ti - (dt / 2.0) && t < (dt / 2.0) + tf; }

// A record past the window, t > dt/2 + tf, ends the reading; one exactly at
// dt/2 + tf neither lies inside nor ends it.
inline bool past_window(double t, double tf, double dt) { return t > (dt / 2.0) + tf; }

// Keeps (tlido, Flido) as the next curve point when it lies inside the window.
inline RecordStep take_record(RunContext& rc, double tlido, double Flido) {
  if (in_window(tlido, rc.ti, rc.tf, rc.dt)) {
    if (!keep_point(rc, tlido, Flido)) return RecordStep::arrays_full;
  }
  return past_window(tlido, rc.tf, rc.dt) ? RecordStep::end_reading : RecordStep::read_on;
}

#endif  // TALVIRONESKA_INPUT_THRUST_WINDOW_H_
