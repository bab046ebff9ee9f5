// A calibration table read from a file in any dialect the import reads:
// one row per reading, the known load and the raw reading.
#ifndef TALVIRONESKA_INSPECT_CALIBRATION_TABLE_H_
#define TALVIRONESKA_INSPECT_CALIBRATION_TABLE_H_

#include <string>
#include <string_view>
#include <vector>

#include "inspect/calibration/fit.h"
#include "inspect/log/dialect.h"

// The unit of the loads: masses in g or kg, which local gravity turns into
// forces, or forces in N.
enum class LoadUnit { none, g, kg, N };

// "g", "kg", "N"; none for anything else.
LoadUnit load_unit_named(std::string_view name);
const char* unit_text(LoadUnit unit);

struct CalibrationTable {
  LogDialect dialect;
  int load_column = 0;  // from 0
  int reading_column = 1;
  LoadUnit unit = LoadUnit::none;
  std::string unit_source;                   // "--carga", "cabeçalho \"massa_g\""
  std::vector<CalibrationReading> readings;  // loads in N
  std::size_t lines = 0;
};

// A table is a small file: larger ones are refused.
inline constexpr std::size_t kMaxTableBytes = std::size_t{16} << 20;

// Reads TEXT, the bytes of a table, into *TABLE. The load is the first
// column whose header name holds g, kg or N, else the first; the reading
// the first other column. UNIT (none: the header's) gives the loads' unit;
// masses become forces by GRAVITY (m/s^2). False with *PROBLEM, in
// Portuguese, naming the line that cannot be read.
bool parse_calibration_table(std::string_view text, LoadUnit unit, double gravity, CalibrationTable* table,
                             std::string* problem);

// The same for the file NAME (never changed).
bool read_calibration_table(const std::string& name, LoadUnit unit, double gravity, CalibrationTable* table,
                            std::string* problem);

#endif  // TALVIRONESKA_INSPECT_CALIBRATION_TABLE_H_
