#include "input/thrust_data.h"

#include <string>
#include <string_view>

#include "core/trimmed.h"
#include "input/list_reader.h"
#include "input/record_lines.h"
#include "input/record_scan_helper.h"
#include "input/thrust_window.h"
#include "io/severe_error.h"
#include "io/unit.h"

namespace {

// Where the reading stands: the last record read, whichever way (a null
// value in the next record read by the general read leaves its item as it
// was), and what that record made of the reading.
struct Reading {
  double tlido = 0.0;
  double Flido = 0.0;
  RecordStep step = RecordStep::read_on;
};

// Takes the records of [p, end) in order while their lines have the common
// shape and the reading goes on. Returns the start of the first line not taken.
const char* take_record_lines(RunContext& rc, const char* p, const char* end, Reading* reading) {
  while (p < end && reading->step == RecordStep::read_on) {
    const char* const next = record_lines::scan_record_line(p, end, &reading->tlido, &reading->Flido);
    if (next == nullptr) break;
    p = next;
    reading->step = take_record(rc, reading->tlido, reading->Flido);
  }
  return p;
}

// take_record_lines over [begin, end) on two cores when the block is large:
// the helper scans the second half while this thread takes the first, and
// its records are taken after them only when the first half was taken whole.
const char* take_record_lines_shared(RunContext& rc, const char* begin, const char* end, RecordScanHelper& helper,
                                     Reading* reading) {
  const char* const split = RecordScanHelper::split_point(begin, end);
  if (split == end || !helper.start(split, end)) return take_record_lines(rc, begin, end, reading);
  const char* p = take_record_lines(rc, begin, split, reading);
  const RecordScanHelper::Found found = helper.finish();
  if (reading->step != RecordStep::read_on || p != split) return p;
  for (std::size_t i = 0; i < found.count && reading->step == RecordStep::read_on; ++i) {
    reading->tlido = found.tlido[i];
    reading->Flido = found.Flido[i];
    reading->step = take_record(rc, reading->tlido, reading->Flido);
  }
  return found.stop;  // past the record that ended the reading, which is then over
}

// A line of another shape: one record by the general list-directed read.
void take_general_record(RunContext& rc, Unit& unit, ListReader& reader, Reading* reading) {
  const ReadError error = reader.read_pair(&reading->tlido, &reading->Flido);
  if (error != ReadError::none) unit.fail(severe_number(error));
  reading->step = take_record(rc, reading->tlido, reading->Flido);
}

}  // namespace

void read_thrust_data(RunContext& rc) {
  Unit unit(kUnitThrustData, trimmed(rc.original), OpenMode::read);
  ListReader reader(unit, DecimalCommas::refused);
  RecordScanHelper helper;  // goes before the unit's block does
  Reading reading;
  // After a line of another shape the blocks are taken in this thread only,
  // until one is taken whole: so a helper's scan is thrown away at most once
  // per block.
  bool share = true;
  while (reading.step == RecordStep::read_on) {
    // The common lines straight from the unit's block, with no pass to find
    // the line ends first; the first other line by the general read.
    const std::string_view held = unit.held_lines();
    const char* const begin = held.data();
    const char* const end = begin + held.size();
    const char* const p = share ? take_record_lines_shared(rc, begin, end, helper, &reading)
                                : take_record_lines(rc, begin, end, &reading);
    unit.skip(static_cast<std::size_t>(p - begin));
    share = reading.step != RecordStep::read_on || (!held.empty() && p == end);
    if (!share) take_general_record(rc, unit, reader, &reading);
  }
  if (reading.step == RecordStep::arrays_full) {
    throw_severe(kErrTooManyPoints, "more than " + std::to_string(rc.nmax) + " points inside the time window (nmax), " +
                                        file_place_text(kUnitThrustData, unit.name()));
  }
  unit.close();
}
