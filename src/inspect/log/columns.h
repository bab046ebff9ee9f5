// Which column of a logger's file holds the time and which the thrust, and
// in what units, with where each unit came from.
#ifndef TALVIRONESKA_INSPECT_LOG_COLUMNS_H_
#define TALVIRONESKA_INSPECT_LOG_COLUMNS_H_

#include <string>

#include "inspect/import/options.h"
#include "inspect/log/dialect.h"
#include "inspect/log/units.h"

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

// The columns of DIALECT's file chosen by OPTIONS, the units from the
// options or else from the header's names. False with *PROBLEM when a column
// or a unit is missing or out of range.
bool resolve_columns(const LogDialect& dialect, const ImportOptions& options, LogColumns* columns,
                     std::string* problem);

#endif  // TALVIRONESKA_INSPECT_LOG_COLUMNS_H_
