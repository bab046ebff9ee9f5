// Thrust data records of the common shape, taken straight from a block of
// whole lines.
#ifndef TALVIRONESKA_INPUT_RECORD_LINES_H_
#define TALVIRONESKA_INPUT_RECORD_LINES_H_

#include <cstddef>

#include "input/plain_real.h"

namespace record_lines {

inline bool is_blank(char c) { return c == ' ' || c == '\t'; }

// The record at p when its line is "[blanks] number separator number
// [blanks] [CR] LF" with plain numbers, the separator being blanks or one
// comma among blanks: the two values and the start of the next line.
// nullptr for a line of any other shape, leaving both values as they were
// (a null in the general read of that line keeps them); the general read
// takes such a line, and a line of this shape reads the same either way.
// REQUIRES: [p, end) is whole lines followed by 8 readable bytes.
inline const char* scan_record_line(const char* p, const char* end, double* tlido, double* Flido) {
  double t, F;
  while (is_blank(*p)) ++p;  // the last line's LF stops every scan before end
  p = plain_real::scan_plain_real_padded(p, end, &t);
  if (p == nullptr || !(is_blank(*p) || *p == ',')) return nullptr;
  while (is_blank(*p)) ++p;
  if (*p == ',') {
    ++p;
    while (is_blank(*p)) ++p;
  }
  p = plain_real::scan_plain_real_padded(p, end, &F);
  if (p == nullptr) return nullptr;
  while (is_blank(*p)) ++p;
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
