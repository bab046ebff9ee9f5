#include "input/thrust_data.h"

#include <string>
#include <string_view>

#include "core/trimmed.h"
#include "input/record_stream.h"
#include "input/thrust_window.h"
#include "io/severe_error.h"
#include "io/unit.h"

namespace {

// The program's reading of the records as they stream by: each goes through
// the window; a line that cannot be read, or the file ending before the
// reading does, stops the run with its error on the unit.
struct Reading {
  RunContext& rc;
  Unit& unit;
  RecordStep step = RecordStep::read_on;

  bool record(double tlido, double Flido, const RecordRead&) {
    step = take_record(rc, tlido, Flido);
    return step == RecordStep::read_on;
  }
  bool unreadable(ReadError error, std::uint32_t, std::string_view, bool) { unit.fail(severe_number(error)); }
  void end_of_file(std::uint32_t, int, std::string_view) { unit.fail(severe_number(ReadError::end_of_file)); }
};

}  // namespace

void read_thrust_data(RunContext& rc) {
  Unit unit(kUnitThrustData, trimmed(rc.original), OpenMode::read);
  ListReader reader(unit, DecimalCommas::refused);
  Reading reading{rc, unit};
  stream_records(unit, reader, reading);
  if (reading.step == RecordStep::arrays_full) {
    throw_severe(kErrTooManyPoints, "more than " + std::to_string(rc.nmax) + " points inside the time window (nmax), " +
                                        file_place_text(kUnitThrustData, unit.name()));
  }
  unit.close();
}
