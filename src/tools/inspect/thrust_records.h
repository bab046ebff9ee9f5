// The thrust data file as the program's list-directed reader sees it, read
// to its end, with the lines that the reader cannot read or reads wrongly.
#ifndef TALVIRONESKA_TOOLS_INSPECT_THRUST_RECORDS_H_
#define TALVIRONESKA_TOOLS_INSPECT_THRUST_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/list_reader.h"
#include "tools/inspect/line_hint.h"

struct ThrustRecord {
  double t;            // as the program holds tlido after the read
  double F;            // as the program holds Flido after the read
  std::uint32_t line;  // the line that held the record's last value
};

// Lines of one kind: how many, and the first of them.
struct LineGroup {
  std::size_t count = 0;
  std::uint32_t first_line = 0;
  std::string first_text;  // the line's bytes as they stand in the file
  void add(std::uint32_t line, std::string_view text);
};

struct ThrustFile {
  std::vector<ThrustRecord> records;  // every record the reader could read, in file order
  std::uint32_t lines = 0;            // lines in the file

  // The program stops at the first unreadable line: records[0, readable)
  // are what it can read before it. The reading here goes on after each
  // unreadable line, one read per line, so that the rest can be looked at.
  std::size_t readable = 0;
  LineGroup unreadable;
  ReadError first_error = ReadError::none;
  LineHint first_hint = LineHint::other;
  bool unreadable_before_first_record = false;

  // Read without an error, but not as the writer meant.
  LineGroup decimal_comma;  // "0,002 1,234": read as 0 and 2
  LineGroup null_or_slash;  // a null value or a slash: the value of the record before is kept
  LineGroup split;          // a record spread over two or more lines
  LineGroup incomplete;     // one value and then the end of the file
};

// Reads TEXT, the whole file, with the program's reader, record by record.
ThrustFile read_thrust_text(std::string_view text);

// The bytes of the file NAME, opened for reading only: a missing file is not
// created. Errors are severe errors naming UNIT and the file: 29 when it does
// not exist, else those of the program's own open and read.
std::string read_existing_file(std::string_view name, int unit);

// Ends the run with error 29 when NAME does not exist, before the program's
// own readers open it (they would create it empty).
void require_existing_file(std::string_view name, int unit);

inline constexpr int kErrFileNotFound = 29;

#endif  // TALVIRONESKA_TOOLS_INSPECT_THRUST_RECORDS_H_
