// The thrust data file as the program's list-directed reader sees it, read
// to its end in one streaming pass, with the lines that the reader cannot
// read or reads wrongly.
#ifndef TALVIRONESKA_INSPECT_PROGRAM_THRUST_RECORDS_H_
#define TALVIRONESKA_INSPECT_PROGRAM_THRUST_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/list_reader.h"
#include "inspect/program/line_hint.h"
#include "io/severe_error.h"

// Lines of one kind: how many, and the first of them.
struct LineGroup {
  std::size_t count = 0;
  std::uint32_t first_line = 0;
  std::string first_text;  // the line's bytes as they stand in the file
  void add(std::uint32_t line, std::string_view text);
};

// Where the records come from: the file NAME, or TEXT when in_memory (tests,
// converted records). The program's run reads the source a second time.
struct ThrustSource {
  std::string name;
  bool in_memory = false;
  std::string text;
};

struct ThrustFile {
  // Every record the reader could read, in file order, as the program holds
  // tlido and Flido after the read. The thrusts are in an array that the
  // program's run context can take over as its curve array (see
  // run_program_on_records), so that 1e7 records and the program's run on
  // them take 160 MB, not 240.
  std::vector<double> t;
  std::unique_ptr<double[]> F;
  std::size_t F_capacity = 0;
  std::uint32_t lines = 0;  // lines in the file

  // The program stops at the first unreadable line: records [0, readable)
  // are what it can read before it. The reading here goes on after each
  // unreadable line, one read per line, so that the rest can be looked at.
  std::size_t readable = 0;
  LineGroup unreadable;
  ReadError first_error = ReadError::none;
  LineHint first_hint = LineHint::other;
  bool unreadable_before_first_record = false;
  // The last unreadable line went on past the cap of what a line holds
  // (kMaxLine) and the reading stopped there: the rest may have no end.
  bool stopped_at_long_line = false;

  // Read without an error, but not as the writer meant.
  LineGroup decimal_comma;       // "0,002 1,234": read as 0 and 2
  double decimal_comma_t = 0.0;  // what the first of them is read as
  double decimal_comma_F = 0.0;
  LineGroup null_or_slash;  // a null value or a slash: the value of the record before is kept
  LineGroup split;          // a record spread over two or more lines
  LineGroup incomplete;     // one value and then the end of the file

  // Records whose last value is not on line index + 1 + the shift of the
  // record before (a blank, unreadable or split line came before them).
  struct LineShift {
    std::size_t record;
    std::uint32_t line;
  };
  std::vector<LineShift> line_shifts;

  std::size_t size() const { return t.size(); }
  // The line that held the last value of record I.
  std::uint32_t line_of(std::size_t i) const;
  // Every record, as the analysis takes them (the program's reading stops at
  // `readable`, which read_window keeps to).
  std::span<const double> times() const { return t; }
  std::span<const double> thrusts() const { return {F.get(), t.size()}; }
  // Frees the records (the program's run re-reads the source).
  void release();
};

// Reads the source with the program's reader, record by record; the file
// itself in large blocks. Errors opening or reading the file are severe
// errors naming UNIT and the file: 29 when it does not exist (nothing is
// created), else those of the program's own open and read.
ThrustFile read_thrust_source(const ThrustSource& source, int unit);

// The same on TEXT, for tests and converted records.
ThrustFile read_thrust_text(std::string_view text);

// Ends the run with error 29 when NAME does not exist, before the program's
// own readers open it (they would create it empty).
void require_existing_file(std::string_view name, int unit);

#endif  // TALVIRONESKA_INSPECT_PROGRAM_THRUST_RECORDS_H_
