#include "input/thrust_data.h"

#include <cstring>
#include <string>
#include <string_view>

#include "core/trimmed.h"
#include "input/list_reader.h"
#include "input/record_lines.h"
#include "input/record_scan_helper.h"
#include "input/thrust_window.h"
#include "io/page_in_ahead.h"
#include "io/severe_error.h"
#include "io/unit.h"

namespace {

// The last record read, whichever way: a null value in the next record read
// by the general read leaves its item as it was.
struct LastRecord {
  double tlido = 0.0;
  double Flido = 0.0;
  RecordStep step = RecordStep::read_on;
};

// Takes the records of [p, end) in order while their lines have the common
// shape and the reading goes on. Returns the start of the first line not taken.
const char* take_record_lines(RunContext& rc, const char* p, const char* end, LastRecord* last) {
  while (p < end && last->step == RecordStep::read_on) {
    const char* const next = record_lines::scan_record_line(p, end, &last->tlido, &last->Flido);
    if (next == nullptr) break;
    p = next;
    last->step = take_record(rc, last->tlido, last->Flido);
  }
  return p;
}

// Where a block is shared out: after the first line end past its middle.
// The end of the block when it is too small to be worth sharing.
const char* split_point(const char* begin, const char* end) {
  constexpr std::ptrdiff_t kShareFrom = 512 * 1024;
  if (end - begin < kShareFrom) return end;
  const char* const middle = begin + (end - begin) / 2;
  const void* lf = std::memchr(middle, '\n', static_cast<std::size_t>(end - middle));
  return lf != nullptr ? static_cast<const char*>(lf) + 1 : end;
}

// take_record_lines over [begin, end) on two cores when the block is large:
// the helper scans the second half while this thread takes the first, and
// its records are taken after them only when the first half was taken whole.
const char* take_record_lines_shared(RunContext& rc, const char* begin, const char* end, RecordScanHelper& helper,
                                     LastRecord* last) {
  const char* const split = split_point(begin, end);
  if (split == end || !helper.start(split, end)) return take_record_lines(rc, begin, end, last);
  const char* p = take_record_lines(rc, begin, split, last);
  const RecordScanHelper::Found found = helper.finish();
  if (last->step != RecordStep::read_on || p != split) return p;
  for (std::size_t i = 0; i < found.count && last->step == RecordStep::read_on; ++i) {
    last->tlido = found.tlido[i];
    last->Flido = found.Flido[i];
    last->step = take_record(rc, last->tlido, last->Flido);
  }
  return found.stop;  // past the record that ended the reading, which is then over
}

// A line of another shape: one record by the general list-directed read.
void take_general_record(RunContext& rc, Unit& unit, ListReader& reader, LastRecord* last) {
  const ReadError error = reader.read_pair(&last->tlido, &last->Flido);
  if (error != ReadError::none) unit.fail(severe_number(error));
  last->step = take_record(rc, last->tlido, last->Flido);
}

}  // namespace

void read_thrust_data(RunContext& rc) {
  Unit unit(kUnitThrustData, trimmed(rc.original), OpenMode::read);
  ListReader reader(unit);
  RecordScanHelper helper;  // goes before the unit's block does
  PageInAhead page_in(rc.F.get(), static_cast<std::size_t>(rc.nmax > 0 ? rc.nmax : 0) * sizeof(double));
  LastRecord last;
  // After a line of another shape the blocks are taken in this thread only,
  // until one is taken whole: so a helper's scan is thrown away at most once
  // per block.
  bool share = true;
  while (last.step == RecordStep::read_on) {
    // The common lines straight from the unit's block, with no pass to find
    // the line ends first; the first other line by the general read.
    const std::string_view held = unit.held_lines();
    const char* const begin = held.data();
    const char* const end = begin + held.size();
    const char* const p =
        share ? take_record_lines_shared(rc, begin, end, helper, &last) : take_record_lines(rc, begin, end, &last);
    unit.skip(static_cast<std::size_t>(p - begin));
    page_in.advance(static_cast<std::size_t>(rc.nc) * sizeof(double));
    share = last.step != RecordStep::read_on || (!held.empty() && p == end);
    if (!share) take_general_record(rc, unit, reader, &last);
  }
  if (last.step == RecordStep::arrays_full) {
    throw_severe(kErrTooManyPoints, "more than " + std::to_string(rc.nmax) + " points inside the time window (nmax), " +
                                        file_place_text(kUnitThrustData, unit.name()));
  }
  unit.close();
}
