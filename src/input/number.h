// Numbers of the list-directed reader. A real: optional sign, digits with an
// optional point, optional exponent letter E, D or Q (any case) with an
// optionally signed integer; an integer: optional sign and digits only.
//
// The plain forms the thrust data loggers write ("0.000125", "-3.14159",
// "1.250000E+01") have an inline scanner, so the record loops make no call
// per number; every path ends in the same exact conversion.
#ifndef TALVIRONESKA_INPUT_NUMBER_H_
#define TALVIRONESKA_INPUT_NUMBER_H_

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/powers_of_ten.h"
#include "input/char_class.h"
#include "input/read_error.h"

// TOKEN, all of it, as a real or an integer.
ReadError parse_real(std::string_view token, double* value);
ReadError parse_integer(std::string_view token, std::int32_t* value);

// scan_plain_real_padded for a range with nothing readable past END.
const char* scan_plain_real(const char* p, const char* end, double* value);

namespace number {

// (-1)^negative * mantissa * 10^exponent when one rounded operation gives it
// exactly: the integer and the power of ten are then both exact doubles, so
// the product or quotient is the correctly rounded result. False otherwise,
// leaving *value as it was.
inline bool convert_small(std::uint64_t mantissa, int exponent, bool negative, double* value) {
  if (mantissa > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22) return false;
  double result = static_cast<double>(mantissa);
  result = exponent < 0 ? result / kPow10[-exponent] : result * kPow10[exponent];
  *value = negative ? -result : result;
  return true;
}

static_assert(std::endian::native == std::endian::little, "the digit runs are read as little-endian words");

// Eight ASCII digits in one word (the first digit in the low byte) as a number.
inline std::uint32_t eight_digits_value(std::uint64_t v) {
  const std::uint64_t mask = 0x000000FF000000FF;
  const std::uint64_t mul1 = 0x000F424000000064;  // 100 + (1000000 << 32)
  const std::uint64_t mul2 = 0x0000271000000001;  // 1 + (10000 << 32)
  v -= 0x3030303030303030;
  v = (v * 10) + (v >> 8);
  return static_cast<std::uint32_t>((((v & mask) * mul1) + (((v >> 16) & mask) * mul2)) >> 32);
}

// How many of the word's bytes, from the low one, are ASCII digits. A carry
// out of a byte only reaches the bytes after it, so the first non-digit is
// always found.
inline int leading_digit_count(std::uint64_t v) {
  const std::uint64_t flags =
      ((v & 0xF0F0F0F0F0F0F0F0) | (((v + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4)) ^ 0x3333333333333333;
  return flags == 0 ? 8 : std::countr_zero(flags) / 8;
}

// The run of digits at p (before end) added to *mantissa, a word at a time;
// their number added to *count. nullptr when the count would pass 19.
// REQUIRES: 8 readable bytes at every position up to end.
inline const char* scan_digits(const char* p, const char* end, std::uint64_t* mantissa, int* count) {
  for (;;) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    int k = leading_digit_count(v);
    if (k > end - p) k = static_cast<int>(end - p);
    if (k == 0) return p;
    *count += k;
    if (*count > 19) return nullptr;
    if (k < 8) v = (v << (8 * (8 - k))) | (0x3030303030303030 >> (8 * k));  // zeros before the digits
    *mantissa = *mantissa * kPow10Int[k] + eight_digits_value(v);
    p += k;
    if (k < 8) return p;
  }
}

}  // namespace number

// The longest number at p when it has the common plain form (sign, up to 19
// digits with a point, E exponent) and converts exactly on the fast path;
// nullptr otherwise, leaving the case to parse_real.
// REQUIRES: 8 readable bytes at every position up to end.
inline const char* scan_plain_real_padded(const char* p, const char* const end, double* value) {
  using char_class::is_digit;
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  std::uint64_t mantissa = 0;
  int count = 0;
  bool int_digits;
  if (end - p >= 2 && is_digit(p[0]) && p[1] == '.') {  // "d.ddd", the loggers' usual shape
    mantissa = static_cast<unsigned>(p[0] - '0');
    count = 1;
    int_digits = true;
    ++p;
  } else {
    const char* const int_start = p;
    p = number::scan_digits(p, end, &mantissa, &count);
    if (p == nullptr) return nullptr;
    int_digits = p != int_start;
  }
  int exponent = 0;
  bool frac_digits = false;
  if (p < end && *p == '.') {
    const char* const frac_start = ++p;
    p = number::scan_digits(p, end, &mantissa, &count);
    if (p == nullptr) return nullptr;
    frac_digits = p != frac_start;
    exponent = -static_cast<int>(p - frac_start);
  }
  if (!int_digits && !frac_digits) return nullptr;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool exponent_negative = false;
    if (p < end && (*p == '-' || *p == '+')) exponent_negative = *p++ == '-';
    int written = 0;
    const char* const exp_start = p;
    while (p < end && is_digit(*p) && p - exp_start < 4) written = written * 10 + (*p++ - '0');
    if (p == exp_start || (p < end && is_digit(*p))) return nullptr;
    exponent += exponent_negative ? -written : written;
  }
  return number::convert_small(mantissa, exponent, negative, value) ? p : nullptr;
}

#endif  // TALVIRONESKA_INPUT_NUMBER_H_
