#include "input/thrust_data.h"

#include <string>
#include <string_view>

#include "input/list_reader.h"
#include "input/record_lines.h"
#include "input/record_scan_helper.h"
#include "input/thrust_window.h"
#include "io/page_in_ahead.h"
#include "io/severe_error.h"
#include "io/unit.h"
#include "core/trimmed.h"

namespace {

// Takes the records of [p, end) in order while their lines have the common
// shape and the reading goes on, leaving the last one in (*tlido, *Flido).
// Returns the start of the first line not taken.
const char* take_record_lines(RunContext& rc, const char* p, const char* end, RecordStep* step, double* tlido,
                              double* Flido) {
  while (p < end) {
    const char* const next = record_lines::scan_record_line(p, end, tlido, Flido);
    if (next == nullptr) break;
    p = next;
    *step = take_record(rc, *tlido, *Flido);
    if (*step != RecordStep::read_on) break;
  }
  return p;
}

}  // namespace

void read_thrust_data(RunContext& rc) {
  Unit unit(kUnitThrustData, trimmed(rc.original), OpenMode::read);
  ListReader reader(unit);
  RecordScanHelper helper;  // goes before the unit's block does
  PageInAhead page_in(rc.F.get(), static_cast<std::size_t>(rc.nmax > 0 ? rc.nmax : 0) * sizeof(double));
  // The last record read, whichever way: a null value in the next record
  // read by the general read leaves its item as it was.
  double tlido = 0.0;
  double Flido = 0.0;
  RecordStep step = RecordStep::read_on;
  // After a line of another shape the blocks are taken in this thread only,
  // until one is taken whole: so a helper's scan is thrown away at most once
  // per block.
  bool share = true;
  while (step == RecordStep::read_on) {
    // The common lines straight from the unit's block, with no pass to find
    // the line ends first; the first other line by the general read.
    const std::string_view held = unit.held_lines();
    const char* const begin = held.data();
    const char* const end = begin + held.size();
    const char* const split = share ? RecordScanHelper::split_point(begin, end) : end;
    const bool shared = split < end && helper.start(split, end);
    const char* p = take_record_lines(rc, begin, shared ? split : end, &step, &tlido, &Flido);
    if (shared) {
      const RecordScanHelper::Found found = helper.finish();
      if (step == RecordStep::read_on && p == split) {
        for (std::size_t i = 0; i < found.count && step == RecordStep::read_on; ++i) {
          tlido = found.tlido[i];
          Flido = found.Flido[i];
          step = take_record(rc, tlido, Flido);
        }
        p = found.stop;  // past the record that ended the reading, which is then over
      }
    }
    unit.skip(static_cast<std::size_t>(p - begin));
    page_in.advance(static_cast<std::size_t>(rc.nc) * sizeof(double));
    if (step == RecordStep::read_on && (held.empty() || p < end)) {
      const ReadError error = reader.read_pair(&tlido, &Flido);
      if (error != ReadError::none) unit.fail(severe_number(error));
      step = take_record(rc, tlido, Flido);
      share = false;
    } else {
      share = true;
    }
  }
  if (step == RecordStep::arrays_full) {
    const std::string place = file_error_text(kErrTooManyPoints, kUnitThrustData, unit.name());
    throw_severe(kErrTooManyPoints, "more than " + std::to_string(rc.nmax) +
                                        " points inside the time window (nmax), " +
                                        place.substr(place.find("unit ")));
  }
  unit.close();
}
