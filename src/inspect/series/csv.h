// The series table as CSV, one line per firing under a header line,
// Windows-1252 with CR LF.
#ifndef TALVIRONESKA_INSPECT_SERIES_CSV_H_
#define TALVIRONESKA_INSPECT_SERIES_CSV_H_

#include <span>
#include <string>
#include <string_view>

#include "inspect/series/firing.h"

enum class CsvDialect {
  portuguese,     // ';' between fields, decimal comma: what a Portuguese-locale spreadsheet opens
  international,  // ',' and decimal point
};

std::string series_csv_text(std::span<const Firing> firings, CsvDialect dialect);

// TEXT as one CSV field: quoted, quotes doubled, and a leading character a
// spreadsheet would start a formula with kept as text by an apostrophe.
std::string csv_text_field(std::string_view text);

// VALUE with 7 significant digits in DIALECT; empty when not finite.
std::string csv_number(double value, CsvDialect dialect);

#endif  // TALVIRONESKA_INSPECT_SERIES_CSV_H_
