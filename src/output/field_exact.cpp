// The general path of the value fields: std::to_chars gives the correctly
// rounded digits (ties to even), which are reshaped to the field's rules.
#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "output/field.h"
#include "output/layout.h"

namespace {

void fill_stars(char* out, int w) { std::memset(out, '*', static_cast<std::size_t>(w)); }

// TEXT right-aligned in the field, or asterisks when it is too long.
void place(char* out, int w, const char* text, std::size_t len) {
  const auto width = static_cast<std::size_t>(w);
  if (len > width) return fill_stars(out, w);
  std::memset(out, ' ', width - len);
  std::memcpy(out + (width - len), text, len);
}

bool not_finite_field(char* out, double value, int w) {
  if (std::isfinite(value)) return false;
  const std::string_view word = std::isnan(value) ? "NaN" : value < 0 ? "-Infinity" : "Infinity";
  const auto width = static_cast<std::size_t>(w);
  if (word.size() + 1 > width) {
    fill_stars(out, w);
  } else {
    std::memset(out, ' ', width);
    std::memcpy(out + 1, word.data(), word.size());
  }
  return true;
}

}  // namespace

void write_integer_field(char* out, std::int32_t value, int w) {
  char buf[16];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  place(out, w, buf, static_cast<std::size_t>(result.ptr - buf));
}

void write_fixed_field_exact(char* out, double value, int w, int d) {
  assert(w >= 1 && w <= kMaxFieldWidth && d >= 0 && d <= kMaxDecimals);
  if (not_finite_field(out, value, w)) return;
  // Room for the largest double (309 integer digits) with every decimal;
  // the text then is longer than any field anyway.
  char digits[320 + kMaxDecimals];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, d);
  if (result.ec != std::errc()) return fill_stars(out, w);

  const char* p = digits;
  const char* end = result.ptr;
  bool negative = *p == '-';
  if (negative) ++p;
  const char* point = std::find(p, end, '.');
  // A value that rounds to zero is written without its sign.
  if (negative && std::all_of(p, end, [](char c) { return c == '0' || c == '.'; })) negative = false;

  char text[sizeof digits + 2];
  std::size_t len = 0;
  if (negative) text[len++] = '-';
  const auto integer_digits = static_cast<std::size_t>(point - p);
  const std::size_t decimals = static_cast<std::size_t>(d);
  const std::size_t needed = len + integer_digits + 1 + decimals;
  // The lone "0" before the point goes when it alone would overflow the field.
  const bool drop_zero = integer_digits == 1 && *p == '0' && needed == static_cast<std::size_t>(w) + 1;
  if (!drop_zero) {
    std::memcpy(text + len, p, integer_digits);
    len += integer_digits;
  }
  text[len++] = '.';
  if (decimals > 0) std::memcpy(text + len, point + 1, decimals);
  len += decimals;
  place(out, w, text, len);
}

void write_exp_field_exact(char* out, double value, int w, int d) {
  assert(w >= 1 && w <= kMaxFieldWidth && d >= 0 && d <= kMaxDecimals);
  if (not_finite_field(out, value, w)) return;
  char digits[16 + kMaxDecimals];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, d);
  assert(result.ec == std::errc());

  // to_chars gives [-]D[.DDD]e(+|-)XX[X].
  const char* p = digits;
  bool negative = *p == '-';
  if (negative) ++p;
  if (value == 0) negative = false;
  const char lead = *p++;
  if (*p == '.') ++p;
  const char* end = result.ptr;
  const char* e = std::find(p, end, 'e');
  const std::size_t decimals = static_cast<std::size_t>(e - p);
  const char* exponent = e + 1;  // sign, then two or three digits
  const auto exponent_len = static_cast<std::size_t>(end - exponent);

  char text[sizeof digits];
  std::size_t len = 0;
  if (negative) text[len++] = '-';
  text[len++] = lead;
  text[len++] = '.';
  std::memcpy(text + len, p, decimals);
  len += decimals;
  if (exponent_len == 3) text[len++] = 'E';  // a three-digit exponent leaves the letter out
  std::memcpy(text + len, exponent, exponent_len);
  len += exponent_len;
  place(out, w, text, len);
}
