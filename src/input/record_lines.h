// Thrust data records of the common shape: two plain numbers at the start of
// a line, taken without the general read.
#ifndef TALVIRONESKA_INPUT_RECORD_LINES_H_
#define TALVIRONESKA_INPUT_RECORD_LINES_H_

#include <cstddef>

#include "input/char_class.h"
#include "input/number.h"

namespace record_lines {

// "[blanks] number separator number" at the start of [p, end), with plain
// numbers and the separator blanks or one comma among blanks: the two
// values and the end of the second number, and in *separator, when given,
// the separator's first character. nullptr for any other start, leaving
// both values as they were.
// REQUIRES: 8 readable bytes at every position up to end.
inline const char* scan_plain_pair(const char* p, const char* end, double* first, double* second,
                                   char* separator = nullptr) {
  using char_class::is_blank;
  while (p < end && is_blank(*p)) ++p;
  p = scan_plain_real_padded(p, end, first);
  if (p == nullptr || p == end || !(is_blank(*p) || *p == ',')) return nullptr;
  if (separator != nullptr) *separator = *p;
  while (p < end && is_blank(*p)) ++p;
  if (p < end && *p == ',') {
    ++p;
    while (p < end && is_blank(*p)) ++p;
  }
  return scan_plain_real_padded(p, end, second);
}

// The record at p when its line is a plain pair followed by [blanks] [CR]
// LF: the two values and the start of the next line. nullptr for a line of
// any other shape, leaving both values as they were (a null in the general
// read of that line keeps them); the general read takes such a line, and a
// line of this shape reads the same either way.
// REQUIRES: [p, end) is whole lines followed by 8 readable bytes.
inline const char* scan_record_line(const char* p, const char* end, double* tlido, double* Flido) {
  double t, F;
  p = scan_plain_pair(p, end, &t, &F);
  if (p == nullptr) return nullptr;
  while (char_class::is_blank(*p)) ++p;  // the line's LF stops the scan before end
  if (*p == '\r') ++p;
  if (*p != '\n') return nullptr;
  *tlido = t;
  *Flido = F;
  return p + 1;
}

// The shortest such line, "0 0\n", bounds the records a stretch can hold.
inline constexpr std::size_t kShortestLine = 4;

}  // namespace record_lines

#endif  // TALVIRONESKA_INPUT_RECORD_LINES_H_
