// Which column of a logger's file holds the time and which the thrust, and
// in what units, with where each unit came from.
#ifndef TALVIRONESKA_INSPECT_LOG_COLUMNS_H_
#define TALVIRONESKA_INSPECT_LOG_COLUMNS_H_

#include <cstdint>
#include <optional>
#include <string>

#include "inspect/log/dialect.h"
#include "inspect/log/units.h"

// What the user tells of a logger's file that the file may not: its units,
// which column holds the thrust, the scale of a raw channel, the rate of a
// file without times. The rest (separator, decimal mark, header) the file
// tells itself.
struct LogLayout {
  TimeUnit time_unit = TimeUnit::none;        // none: from the header
  ThrustUnit thrust_unit = ThrustUnit::none;  // none: from the header
  std::optional<double> factor;               // thrust = (raw - offset) * factor, in the thrust unit
  std::optional<double> offset;               // in raw units; 0 when not given
  std::int32_t column = 0;                    // the thrust's, from 1; 0 when not given
  double rate = 0.0;                          // Hz: the file has no time column; 0 when it has
};

struct LogColumns {
  int time = -1;   // from 0; -1: no time column, one record every 1/rate s
  int thrust = 0;  // from 0
  double rate = 0.0;
  TimeUnit time_unit = TimeUnit::none;
  ThrustUnit thrust_unit = ThrustUnit::none;
  std::string time_unit_source;  // "--tempo", "cabeçalho \"time_ms\""
  std::string thrust_unit_source;
  double factor = 1.0;  // thrust in N = (raw - offset) * factor * newtons_per(thrust_unit)
  double offset = 0.0;
};

// The columns of DIALECT's file chosen by LAYOUT, the units from the
// layout or else from the header's names. False with *PROBLEM when a column
// or a unit is missing or out of range.
bool resolve_columns(const LogDialect& dialect, const LogLayout& layout, LogColumns* columns, std::string* problem);

#endif  // TALVIRONESKA_INSPECT_LOG_COLUMNS_H_
