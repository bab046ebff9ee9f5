// A logger's file read into thrust records in seconds and newtons, in large
// blocks, with the first line it cannot read as the error.
#ifndef TALVIRONESKA_INSPECT_LOG_READING_H_
#define TALVIRONESKA_INSPECT_LOG_READING_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "inspect/log/columns.h"
#include "inspect/log/dialect.h"
#include "inspect/log/record.h"

// The longest step between two records, with their times (s) and lines.
struct LogGap {
  double from = 0.0;
  double to = 0.0;
  std::uint32_t line_before = 0;
  std::uint32_t line_after = 0;
};

struct LogRead {
  LogDialect dialect;
  LogColumns columns;
  Records records;  // t counted from the first record, in s; F in N, before any tare
  LogGap widest_gap;
  double time_origin = 0.0;  // s: the first record's stamp, which is 0 in the records
  std::uint32_t lines = 0;
  std::size_t repeated = 0;  // records that repeat the time before: folded into it, thrust averaged
};

// Reads the file PATH (never created or changed) by LAYOUT. False with
// *PROBLEM, a Portuguese message: for a line that cannot be read it names
// the line's number, its text and what was expected there; times that go
// back are such a line.
bool read_log(const std::string& path, const LogLayout& layout, LogRead* log, std::string* problem);

#endif  // TALVIRONESKA_INSPECT_LOG_READING_H_
