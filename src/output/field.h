// Value fields of the line layouts: each writes exactly w characters at OUT.
//
// Common rules: right-aligned with blanks on the left; a value too wide for
// its field gives w asterisks. Reals round to nearest on the exact binary
// value, ties to even. A real that is not finite gives a blank, then "NaN",
// "Infinity" or "-Infinity", then blanks (asterisks when w is too small).
// REQUIRES: 1 <= w <= kMaxFieldWidth, 0 <= d <= kMaxDecimals (layout.h).
#ifndef TALVIRONESKA_OUTPUT_FIELD_H_
#define TALVIRONESKA_OUTPUT_FIELD_H_

#include <cstdint>

// Iw: the digits, "-" before them when negative, never "+".
void write_integer_field(char* out, std::int32_t value, int w);

// Fw.d: integer digits, ".", d decimals. "-" only when a digit is not zero
// after rounding. The "0" before the point is dropped when it alone would
// overflow the field.
void write_fixed_field(char* out, double value, int w, int d);

// 1PEw.d: one digit, ".", d digits (none when d = 0, the point stays), then
// "E+dd" / "E-dd", or "+ddd" / "-ddd" for three-digit exponents. Zero of
// either sign is "0." d zeros "E+00".
void write_exp_field(char* out, double value, int w, int d);

// The same two fields by the general path alone: digits from std::to_chars,
// then reshaped. write_fixed_field and write_exp_field take a faster route
// for common shapes (field_fast.h) and agree with these byte for byte.
void write_fixed_field_exact(char* out, double value, int w, int d);
void write_exp_field_exact(char* out, double value, int w, int d);

#endif  // TALVIRONESKA_OUTPUT_FIELD_H_
