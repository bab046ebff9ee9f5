// Number conversion of the list-directed reader against an independent
// recogniser of the forms and the C library's exactly rounded strtod.
//
// Input: the bytes of one token (what a value between separators holds).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "input/number.h"

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// sign? digits? ('.' digits?)? with a digit somewhere, then optionally an
// exponent letter, a sign and at least one digit.
bool is_real_form(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digit = false;
  while (i < s.size() && is_digit(s[i])) ++i, digit = true;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && is_digit(s[i])) ++i, digit = true;
  }
  if (!digit) return false;
  if (i == s.size()) return true;
  if (std::strchr("EeDdQq", s[i]) == nullptr || s[i] == '\0') return false;
  ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  if (i == s.size()) return false;
  while (i < s.size() && is_digit(s[i])) ++i;
  return i == s.size();
}

double strtod_of(std::string_view s) {
  std::string c;
  for (const char ch : s) c += std::strchr("DdQq", ch) != nullptr && ch != '\0' ? 'e' : ch;
  return std::strtod(c.c_str(), nullptr);
}

void check_real(std::string_view token) {
  double value = 12345.0;
  const ReadError error = parse_real(token, &value);
  if (!is_real_form(token)) {
    CHECK(error == ReadError::syntax);
    CHECK(same_bits(value, 12345.0));
    return;
  }
  const double expected = strtod_of(token);
  if (std::isinf(expected)) {
    CHECK(error == ReadError::conversion);
    return;
  }
  CHECK(error == ReadError::none);
  CHECK(same_bits(value, expected));
}

// The fast scan, where it answers, stops right after a whole number and
// agrees with parse_real on it.
void check_scan(std::string_view text) {
  double quick = 0.0;
  const char* end = scan_plain_real(text.data(), text.data() + text.size(), &quick);
  if (end == nullptr) return;
  CHECK(end > text.data() && end <= text.data() + text.size());
  const std::string_view number = text.substr(0, static_cast<std::size_t>(end - text.data()));
  double value = 0.0;
  CHECK(parse_real(number, &value) == ReadError::none);
  CHECK(same_bits(quick, value));
  // It never stops inside a run of digits.
  if (end < text.data() + text.size()) CHECK(!is_digit(*end));
}

void check_integer(std::string_view token) {
  std::int32_t value = 777;
  const ReadError error = parse_integer(token, &value);
  std::size_t i = token.empty() || (token[0] != '+' && token[0] != '-') ? 0 : 1;
  const std::size_t first_digit = i;
  while (i < token.size() && is_digit(token[i])) ++i;
  if (i != token.size() || i == first_digit) {
    CHECK(error == ReadError::syntax);
    CHECK(value == 777);
    return;
  }
  // The exact value, saturated well outside 32 bits.
  std::int64_t magnitude = 0;
  for (std::size_t k = first_digit; k < token.size(); ++k) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (token[k] - '0'), std::int64_t{1} << 40);
  }
  const std::int64_t exact = token[0] == '-' ? -magnitude : magnitude;
  if (exact > INT32_MAX || exact < INT32_MIN) {
    CHECK(error == ReadError::conversion);
    return;
  }
  CHECK(error == ReadError::none);
  CHECK(value == exact);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  check_real(bytes);
  check_scan(bytes);
  check_integer(bytes);
  return 0;
}
