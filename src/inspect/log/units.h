// The units of a logger's columns: given on the command line or named in
// the header, never guessed from the values.
#ifndef TALVIRONESKA_INSPECT_LOG_UNITS_H_
#define TALVIRONESKA_INSPECT_LOG_UNITS_H_

#include <string_view>

enum class TimeUnit { none, s, ms, us, epoch };
enum class ThrustUnit { none, N, g, kgf, lbf };

// "s", "ms", "us" or "µs", "epoch"; none for anything else.
TimeUnit time_unit_named(std::string_view name);
// "N", "g", "kg" or "kgf", "lbf"; none for anything else.
ThrustUnit thrust_unit_named(std::string_view name);

// The unit a column's header name ends with or holds as a word: "time_ms",
// "Tempo (s)", "t[us]", "millis"; "weight_g", "Force_lbf", "Empuxo (N)".
// The last word that names a unit counts; none when no word does.
// OTHER, when given, gets a second unit the name holds, other than the
// first ("time_s_not_ms": s, and ms as the other); none when it holds one.
TimeUnit time_unit_in_header(std::string_view column_name, TimeUnit* other = nullptr);
ThrustUnit thrust_unit_in_header(std::string_view column_name, ThrustUnit* other = nullptr);

// Units per second (epoch seconds are seconds): a time in seconds is the
// count divided by it, which keeps 12 ms at exactly the double nearest 0.012.
double per_second(TimeUnit unit);
// Newtons per unit.
double newtons_per(ThrustUnit unit);

// The unit as the report writes it: "ms", "µs", "segundos epoch", "kgf" ...
const char* unit_text(TimeUnit unit);
const char* unit_text(ThrustUnit unit);

#endif  // TALVIRONESKA_INSPECT_LOG_UNITS_H_
