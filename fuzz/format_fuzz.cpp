// The real value fields (Fw.d and 1PEw.d) against the C library's exactly
// rounded %.*f and %.*E, reshaped to the field rules; the general route
// alone, and the fast route for the shapes it has, must agree with it too.
//
// Input: byte 0 picks the source of the value and the field:
//   bit 0: the value is the next 8 bytes as a double (any bit pattern), or
//          the rest of the input as decimal text read by strtod (near-ties);
//   bits 1-2: the widths, one pair the program uses (12.7, 15.6, 15.7, 6.0),
//          applied to both fields;
//   bit 3: instead any w and d, from bytes 1 and 2.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "check.h"
#include "output/field.h"
#include "output/field_fast.h"
#include "output/layout.h"

namespace {

std::string fit(const std::string& text, int w) {
  const auto width = static_cast<std::size_t>(w);
  if (text.size() > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

std::string not_finite(double v, int w) {
  const std::string word = std::isnan(v) ? "NaN" : v < 0 ? "-Infinity" : "Infinity";
  if (word.size() + 1 > static_cast<std::size_t>(w)) return std::string(static_cast<std::size_t>(w), '*');
  return " " + word + std::string(static_cast<std::size_t>(w) - 1 - word.size(), ' ');
}

std::string oracle_fixed(double v, int w, int d) {
  if (!std::isfinite(v)) return not_finite(v, w);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", d, v);
  std::string body = buf[0] == '-' ? buf + 1 : buf;
  if (d == 0) body += '.';
  const bool negative = buf[0] == '-' && body.find_first_not_of("0.") != std::string::npos;
  std::string text = (negative ? "-" : "") + body;
  // "0.ddd" loses its "0" when only that keeps it out of the field.
  if (text.size() == static_cast<std::size_t>(w) + 1 && body.compare(0, 2, "0.") == 0) {
    text.erase(text.size() - body.size(), 1);
  }
  return fit(text, w);
}

std::string oracle_exp(double v, int w, int d) {
  if (!std::isfinite(v)) return not_finite(v, w);
  char buf[128];
  std::snprintf(buf, sizeof buf, "%#.*E", d, v);  // '#' keeps the point when d = 0
  std::string text = buf;
  if (v == 0 && text[0] == '-') text.erase(0, 1);
  const std::size_t e = text.find('E');
  if (text.size() - e - 2 == 3) text.erase(e, 1);  // a three-digit exponent drops the letter
  return fit(text, w);
}

using Writer = void (*)(char*, double, int, int);
using FastWriter = bool (*)(char*, double);

// The writers into a heap block of exactly w bytes, so AddressSanitizer sees
// a write past the field.
void check_field(Writer whole, Writer exact, FastWriter fast, const std::string& expected, double v, int w, int d) {
  const auto n = static_cast<std::size_t>(w);
  std::unique_ptr<char[]> out(new char[n]);
  whole(out.get(), v, w, d);
  if (std::string(out.get(), n) != expected) {
    std::fprintf(stderr, "value %a w %d d %d: wrote [%.*s] expected [%s]\n", v, w, d, w, out.get(), expected.c_str());
    CHECK(false);
  }
  exact(out.get(), v, w, d);
  CHECK(std::string(out.get(), n) == expected);
  if (fast != nullptr && fast(out.get(), v)) CHECK(std::string(out.get(), n) == expected);
}

FastWriter fast_fixed(int w, int d) { return w == 12 && d == 7 ? field_fast::fixed_field<12, 7> : nullptr; }

FastWriter fast_exp(int w, int d) {
  if (w == 15 && d == 6) return field_fast::exp_field<15, 6>;
  if (w == 15 && d == 7) return field_fast::exp_field<15, 7>;
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t mode = data[0];
  double v;
  if (mode & 1) {
    if (size < 11) return 0;
    std::memcpy(&v, data + 3, sizeof v);
  } else {
    const std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);
    v = std::strtod(text.c_str(), nullptr);
  }
  static const struct { int w, d; } kUsed[] = {{12, 7}, {15, 6}, {15, 7}, {6, 0}};
  const unsigned field = (mode >> 1) & 3;
  int w = kUsed[field].w;
  int d = kUsed[field].d;
  if (mode & 8) {
    w = 1 + data[1] % kMaxFieldWidth;
    d = data[2] % (kMaxDecimals + 1);
  }
  check_field(write_fixed_field, write_fixed_field_exact, fast_fixed(w, d), oracle_fixed(v, w, d), v, w, d);
  check_field(write_exp_field, write_exp_field_exact, fast_exp(w, d), oracle_exp(v, w, d), v, w, d);
  return 0;
}
