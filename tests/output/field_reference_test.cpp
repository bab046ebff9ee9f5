// The real fields against the C library's exactly rounded %.*f and %.*E
// (glibc rounds the exact binary value, ties to even), reshaped here to the
// field rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "output/field.h"
#include "sample_doubles.h"

namespace {

std::string fit(std::string text, int w) {
  const auto width = static_cast<std::size_t>(w);
  if (text.size() > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

std::string not_finite(double v, int w) {
  const std::string word = std::isnan(v) ? "NaN" : v < 0 ? "-Infinity" : "Infinity";
  if (word.size() + 1 > static_cast<std::size_t>(w)) return std::string(static_cast<std::size_t>(w), '*');
  return " " + word + std::string(static_cast<std::size_t>(w) - 1 - word.size(), ' ');
}

std::string reference_fixed(double v, int w, int d) {
  if (!std::isfinite(v)) return not_finite(v, w);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", d, v);
  std::string body = buf[0] == '-' ? buf + 1 : buf;
  const bool negative = buf[0] == '-' && body.find_first_not_of("0.") != std::string::npos;
  if (d == 0) body += '.';
  std::string text = (negative ? "-" : "") + body;
  if (text.size() == static_cast<std::size_t>(w) + 1 && body.rfind("0.", 0) == 0) {
    text.erase(text.size() - body.size(), 1);
  }
  return fit(text, w);
}

std::string reference_exp(double v, int w, int d) {
  if (!std::isfinite(v)) return not_finite(v, w);
  char buf[128];
  std::snprintf(buf, sizeof buf, "%#.*E", d, v);  // '#' keeps the point when d = 0
  std::string text = buf;
  if (v == 0 && text[0] == '-') text.erase(0, 1);
  const std::size_t e = text.find('E');
  if (text.size() - e - 2 == 3) text.erase(e, 1);  // three exponent digits
  return fit(text, w);
}

struct Shape {
  int w;
  int d;
};

template <typename Reference>
void expect_matches(void (*write)(char*, double, int, int), Reference reference, const char* name, const Shape& shape,
                    double v, int* failures) {
  std::string got(static_cast<std::size_t>(shape.w), '?');
  write(got.data(), v, shape.w, shape.d);
  const std::string want = reference(v, shape.w, shape.d);
  if (got != want && ++*failures <= 20) {
    ADD_FAILURE() << name << shape.w << "." << shape.d << " of " << std::hexfloat << v << " (" << std::defaultfloat << v
                  << "): got [" << got << "] want [" << want << "]";
  }
}

TEST(FieldReference, FixedAndExpAgreeWithTheCLibrary) {
  static const Shape fixed_shapes[] = {{12, 7}, {5, 2}, {3, 0}, {10, 3}, {25, 9}, {40, 20}, {4, 2}};
  static const Shape exp_shapes[] = {{15, 6}, {15, 7}, {6, 0}, {12, 3}, {24, 12}, {30, 17}};
  SampleDoubles sample(20140929);
  const auto count = static_cast<long>(200000 * sweep_scale());
  int failures = 0;
  auto check = [&](double v, int d_hint) {
    for (const Shape& s : fixed_shapes) {
      if (s.d == d_hint || d_hint < 0) expect_matches(write_fixed_field, reference_fixed, "F", s, v, &failures);
    }
    for (const Shape& s : exp_shapes) {
      if (s.d == d_hint || d_hint < 0) expect_matches(write_exp_field, reference_exp, "1PE", s, v, &failures);
    }
  };
  for (double v : SampleDoubles::specials()) check(v, -1);
  static const int decimals[] = {7, 6, 2, 0, 3, 9, 12, 17, 20};
  for (long i = 0; i < count; ++i) {
    const int d = decimals[i % 9];
    check(sample.mixed(d), d);
    if (i % 16 == 0) check(sample.mixed(d), -1);
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
