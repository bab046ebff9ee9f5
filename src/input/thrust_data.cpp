#include "input/thrust_data.h"

#include <string>
#include <string_view>

#include "input/list_reader.h"
#include "input/plain_real.h"
#include "input/thrust_window.h"
#include "io/page_in_ahead.h"
#include "io/severe_error.h"
#include "io/unit.h"
#include "run/trimmed.h"

namespace {

inline bool is_blank(char c) { return c == ' ' || c == '\t'; }

// The record at p when its line is "[blanks] number separator number
// [blanks] [CR] LF" with plain numbers, the separator being blanks or one
// comma among blanks: the two values and the start of the next line.
// nullptr for a line of any other shape; the general read takes it, and a
// line of this shape reads the same either way.
// REQUIRES: [p, end) is whole lines followed by kLinePadding readable bytes.
inline const char* scan_record_line(const char* p, const char* end, double* tlido, double* Flido) {
  while (is_blank(*p)) ++p;  // the last line's LF stops every scan before end
  p = plain_real::scan_plain_real_padded(p, end, tlido);
  if (p == nullptr || !(is_blank(*p) || *p == ',')) return nullptr;
  while (is_blank(*p)) ++p;
  if (*p == ',') {
    ++p;
    while (is_blank(*p)) ++p;
  }
  p = plain_real::scan_plain_real_padded(p, end, Flido);
  if (p == nullptr) return nullptr;
  while (is_blank(*p)) ++p;
  if (*p == '\r') ++p;
  return *p == '\n' ? p + 1 : nullptr;
}

}  // namespace

void read_thrust_data(RunContext& rc) {
  Unit unit(kUnitThrustData, trimmed(rc.original), OpenMode::read);
  ListReader reader(unit);
  double tlido = 0.0;
  double Flido = 0.0;
  PageInAhead page_in(rc.F.get(), static_cast<std::size_t>(rc.nmax > 0 ? rc.nmax : 0) * sizeof(double));
  RecordStep step = RecordStep::read_on;
  while (step == RecordStep::read_on) {
    // The common lines straight from the unit's block, with no pass to find
    // the line ends first; the first other line by the general read.
    const std::string_view held = unit.held_lines();
    const char* p = held.data();
    const char* const end = p + held.size();
    while (p < end) {
      const char* const next = scan_record_line(p, end, &tlido, &Flido);
      if (next == nullptr) break;
      p = next;
      step = take_record(rc, tlido, Flido);
      if (step != RecordStep::read_on) break;
    }
    unit.skip(static_cast<std::size_t>(p - held.data()));
    page_in.advance(static_cast<std::size_t>(rc.nc) * sizeof(double));
    if (step == RecordStep::read_on && (held.empty() || p < end)) {
      const ReadError error = reader.read_pair(&tlido, &Flido);
      if (error != ReadError::none) unit.fail(severe_number(error));
      step = take_record(rc, tlido, Flido);
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
