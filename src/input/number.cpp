// Number forms of the list-directed reader.
#include "input/number.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

using char_class::is_digit;
using char_class::is_exponent_letter;

// The general exact path, for a token already known to have a number's
// form. It is first brought to one canonical shape, "d.ddd...e<exp>" with no
// leading zeros and a small exponent, so that the conversion never meets a
// huge exponent or a run of thousands of digits and every platform's library
// gives the same, correctly rounded, result. 780 significant digits are more
// than any double needs to round right; a non-zero digit beyond them is kept
// as a final 1 so a value just above a tie still rounds up.
ReadError convert_general(std::string_view token, double* value) {
  constexpr std::size_t kMaxDigits = 780;
  const char* p = token.data();
  const char* const end = p + token.size();
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  char digits[kMaxDigits + 1];
  std::size_t count = 0;
  bool dropped_non_zero = false;
  std::int64_t point_shift = 0;  // value = 0.digits * 10^point_shift before the written exponent
  bool seen_point = false;
  for (; p < end && (is_digit(*p) || *p == '.'); ++p) {
    if (*p == '.') {
      seen_point = true;
      continue;
    }
    if (count == 0 && *p == '0') {
      if (seen_point) --point_shift;
      continue;
    }
    if (!seen_point) ++point_shift;
    if (count < kMaxDigits) {
      digits[count++] = *p;
    } else if (*p != '0') {
      dropped_non_zero = true;
    }
  }
  std::int64_t written = 0;
  if (p < end) {  // the exponent letter
    ++p;
    bool exponent_negative = false;
    if (*p == '+' || *p == '-') exponent_negative = *p++ == '-';
    for (; p < end; ++p) {
      if (written < 1000000000000) written = written * 10 + (*p - '0');
    }
    if (exponent_negative) written = -written;
  }
  if (count == 0) {
    *value = negative ? -0.0 : 0.0;
    return ReadError::none;
  }
  if (dropped_non_zero) digits[count++] = '1';
  const std::int64_t leading = point_shift + written - 1;  // the leading digit's power of ten
  if (leading > 400) return ReadError::conversion;
  if (leading < -400) {
    *value = negative ? -0.0 : 0.0;
    return ReadError::none;
  }
  char canonical[kMaxDigits + 16];
  std::size_t n = 0;
  canonical[n++] = digits[0];
  canonical[n++] = '.';
  std::memcpy(canonical + n, digits + 1, count - 1);
  n += count - 1;
  const auto [exp_end, exp_ec] = std::to_chars(canonical + n + 1, canonical + sizeof canonical, leading);
  canonical[n] = 'e';
  n = static_cast<std::size_t>(exp_end - canonical);
  (void)exp_ec;
  double result;
  const auto [stop, ec] = std::from_chars(canonical, canonical + n, result);
  if (ec == std::errc::result_out_of_range) {
    // Out of range: an overflow is an error; an underflow takes the value it
    // rounds to, which strtod gives.
    if (leading > 0) return ReadError::conversion;
    canonical[n] = '\0';
    result = std::strtod(canonical, nullptr);
  } else if (ec != std::errc() || stop != canonical + n) {
    return ReadError::syntax;
  }
  if (std::isinf(result)) return ReadError::conversion;
  *value = negative ? -result : result;
  return ReadError::none;
}

}  // namespace

ReadError parse_real(std::string_view token, double* value) {
  const char* p = token.data();
  const char* const end = p + token.size();
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';

  // Up to 19 significant digits in an integer and a power of ten; any more
  // and the exact general path takes over.
  std::uint64_t mantissa = 0;
  int digits = 0;
  int exponent = 0;
  bool any_digit = false;
  bool truncated = false;
  // Once truncated, only the form is checked: the general path converts the
  // whole token, and the counters stop, so no run of digits overflows them.
  for (; p < end && is_digit(*p); ++p) {
    any_digit = true;
    if (digits < 19 && !truncated) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
      if (mantissa != 0) ++digits;
    } else {
      truncated = true;
    }
  }
  if (p < end && *p == '.') {
    for (++p; p < end && is_digit(*p); ++p) {
      any_digit = true;
      if (digits < 19 && !truncated) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        if (mantissa != 0) ++digits;
        if (--exponent < -100000) truncated = true;  // leading zeros past any double
      } else {
        truncated = true;
      }
    }
  }
  if (!any_digit) return ReadError::syntax;
  if (p < end) {
    if (!is_exponent_letter(*p)) return ReadError::syntax;
    ++p;
    bool exponent_negative = false;
    if (p < end && (*p == '+' || *p == '-')) exponent_negative = *p++ == '-';
    if (p == end) return ReadError::syntax;
    int written = 0;
    for (; p < end && is_digit(*p); ++p) {
      if (written < 100000) {
        written = written * 10 + (*p - '0');
      } else {
        truncated = true;  // a clamped exponent could cancel the digits' scale: go the exact way
      }
    }
    if (p != end) return ReadError::syntax;
    exponent += exponent_negative ? -written : written;
  }
  if (mantissa == 0 && !truncated) {
    *value = negative ? -0.0 : 0.0;
    return ReadError::none;
  }
  if (!truncated && number::convert_small(mantissa, exponent, negative, value)) return ReadError::none;
  return convert_general(token, value);
}

const char* scan_plain_real(const char* p, const char* const end, double* value) {
  // A number the fast path takes is at most 27 characters long; scan a
  // padded copy of the start so nothing past END is read.
  constexpr std::ptrdiff_t kWindow = 40;
  char copy[kWindow + 8] = {};
  const std::ptrdiff_t n = end - p < kWindow ? end - p : kWindow;
  std::memcpy(copy, p, static_cast<std::size_t>(n));
  const char* stop = scan_plain_real_padded(copy, copy + n, value);
  if (stop == nullptr || stop - copy == kWindow) return nullptr;
  return p + (stop - copy);
}

ReadError parse_integer(std::string_view token, std::int32_t* value) {
  const char* p = token.data();
  const char* const end = p + token.size();
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p == end) return ReadError::syntax;
  std::int64_t magnitude = 0;
  bool too_big = false;
  for (; p < end; ++p) {
    if (!is_digit(*p)) return ReadError::syntax;
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > (std::int64_t{1} << 31)) {
      too_big = true;
      magnitude = std::int64_t{1} << 31;
    }
  }
  const std::int64_t result = negative ? -magnitude : magnitude;
  if (too_big || result > INT32_MAX || result < INT32_MIN) return ReadError::conversion;
  *value = static_cast<std::int32_t>(result);
  return ReadError::none;
}
