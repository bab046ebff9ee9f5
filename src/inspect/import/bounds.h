// What a log may ask of the import: a grid no larger than its records make
// sensible, and a rate a logger can have. A log past them is refused before
// anything is resampled or written, with what most likely went wrong.
#ifndef TALVIRONESKA_INSPECT_IMPORT_BOUNDS_H_
#define TALVIRONESKA_INSPECT_IMPORT_BOUNDS_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "inspect/log/columns.h"
#include "inspect/log/reading.h"

inline constexpr double kLowestRate = 1.0;   // Hz
inline constexpr double kHighestRate = 1e6;  // Hz

// The most points the grid of a log of RECORDS may hold: twice the records
// plus 1000.
std::size_t grid_limit(std::size_t records);

// Why the grid of 1/W over LOG's records cannot be made: it would hold more
// than grid_limit points, and the log's widest gap (its two lines and
// times) is why. Empty when it can.
std::string grid_problem(const LogRead& log, std::int32_t w);

// Why MEASURED (Hz, the log's rate in COLUMNS's time unit) is no logger's
// rate (under kLowestRate or over kHighestRate), with the time unit that
// would make it one. Empty when it is one.
std::string rate_problem(double measured, const LogColumns& columns);

#endif  // TALVIRONESKA_INSPECT_IMPORT_BOUNDS_H_
