#include "output/field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum class Field { fixed, exp };

std::string field_text(void (*write)(char*, double, int, int), double value, int w, int d) {
  std::string out(static_cast<std::size_t>(w), '?');
  write(out.data(), value, w, d);
  return out;
}

struct RealCase {
  Field field;
  double value;
  int w;
  int d;
  const char* expected;
};

// clang-format off
const RealCase kRealCases[] = {
    // Fw.d
    {Field::fixed, 0.5, 12, 7, "   0.5000000"},
    {Field::fixed, -12.25, 12, 7, " -12.2500000"},
    {Field::fixed, 1234.5, 12, 7, "1234.5000000"},
    {Field::fixed, 12345.0, 12, 7, "************"},
    {Field::fixed, 9999.99999996, 12, 7, "************"},  // rounds up to 10000
    {Field::fixed, 999.99999996, 12, 7, "1000.0000000"},
    {Field::fixed, -999.9999999, 12, 7, "-999.9999999"},
    {Field::fixed, -1000.0, 12, 7, "************"},
    {Field::fixed, -0.00000001, 12, 7, "   0.0000000"},
    {Field::fixed, -0.00000006, 12, 7, "  -0.0000001"},
    {Field::fixed, -0.0, 12, 7, "   0.0000000"},
    {Field::fixed, 0.0, 12, 7, "   0.0000000"},
    {Field::fixed, 0.00390625, 12, 7, "   0.0039062"},  // exact tie, to even
    {Field::fixed, 0.01171875, 12, 7, "   0.0117188"},  // exact tie, to even
    {Field::fixed, 0.125, 5, 2, " 0.12"},
    {Field::fixed, 0.375, 5, 2, " 0.38"},
    {Field::fixed, 0.5, 3, 2, ".50"},     // no room for the "0"
    {Field::fixed, -0.5, 4, 2, "-.50"},   // the sign takes the "0"'s column
    {Field::fixed, -0.5, 3, 2, "***"},
    {Field::fixed, 2.5, 3, 0, " 2."},
    {Field::fixed, 3.5, 3, 0, " 4."},
    {Field::fixed, 0.25, 2, 0, "0."},
    {Field::fixed, 1e300, 12, 7, "************"},
    {Field::fixed, 5e-324, 12, 7, "   0.0000000"},
    {Field::fixed, kInf, 12, 7, " Infinity   "},
    {Field::fixed, -kInf, 12, 7, " -Infinity  "},
    {Field::fixed, kNaN, 12, 7, " NaN        "},
    {Field::fixed, -kNaN, 12, 7, " NaN        "},
    {Field::fixed, -kInf, 10, 7, " -Infinity"},
    {Field::fixed, -kInf, 9, 7, "*********"},
    {Field::fixed, kNaN, 3, 1, "***"},
    // 1PEw.d
    {Field::exp, 123.456, 15, 6, "   1.234560E+02"},
    {Field::exp, -0.00125, 15, 6, "  -1.250000E-03"},
    {Field::exp, 0.001, 15, 7, "  1.0000000E-03"},
    {Field::exp, 0.1, 15, 6, "   1.000000E-01"},
    {Field::exp, 9.80665, 15, 6, "   9.806650E+00"},
    {Field::exp, 12.5, 15, 6, "   1.250000E+01"},
    {Field::exp, 1.0e100, 15, 6, "   1.000000+100"},
    {Field::exp, -1.5e-200, 15, 6, "  -1.500000-200"},
    {Field::exp, 5e-324, 15, 6, "   4.940656-324"},
    {Field::exp, 1.7976931348623157e308, 15, 6, "   1.797693+308"},
    {Field::exp, 9.9999996, 15, 6, "   1.000000E+01"},   // carry into the exponent
    {Field::exp, 9999999.5, 15, 6, "   1.000000E+07"},   // exact tie, carry
    {Field::exp, 1234567.5, 15, 6, "   1.234568E+06"},   // exact tie, to even
    {Field::exp, 1234568.5, 15, 6, "   1.234568E+06"},   // exact tie, to even
    {Field::exp, 9.99999949999999, 15, 6, "   9.999999E+00"},
    {Field::exp, 0.0, 15, 6, "   0.000000E+00"},
    {Field::exp, -0.0, 15, 7, "  0.0000000E+00"},
    {Field::exp, 31.4, 6, 0, "3.E+01"},
    {Field::exp, 2.5, 6, 0, "2.E+00"},
    {Field::exp, 3.5, 6, 0, "4.E+00"},
    {Field::exp, 9.6, 6, 0, "1.E+01"},
    {Field::exp, 0.0, 6, 0, "0.E+00"},
    {Field::exp, -3.5, 6, 0, "******"},
    {Field::exp, 1e100, 6, 0, "1.+100"},
    {Field::exp, -1e100, 7, 0, "-1.+100"},
    {Field::exp, kInf, 15, 6, " Infinity      "},
    {Field::exp, -kInf, 15, 6, " -Infinity     "},
    {Field::exp, kNaN, 15, 6, " NaN           "},
    {Field::exp, kInf, 15, 7, " Infinity      "},
    {Field::exp, -kInf, 15, 7, " -Infinity     "},
    {Field::exp, kNaN, 15, 7, " NaN           "},
    {Field::exp, kInf, 6, 0, "******"},
    {Field::exp, -kInf, 6, 0, "******"},
    {Field::exp, kNaN, 6, 0, " NaN  "},
};
// clang-format on

TEST(Field, RealFields) {
  for (const RealCase& c : kRealCases) {
    const bool fixed = c.field == Field::fixed;
    const auto write = fixed ? write_fixed_field : write_exp_field;
    const auto exact = fixed ? write_fixed_field_exact : write_exp_field_exact;
    const std::string where = std::string(fixed ? "F" : "1PE") + std::to_string(c.w) + "." + std::to_string(c.d) +
                              " of " + std::to_string(c.value);
    EXPECT_EQ(field_text(write, c.value, c.w, c.d), c.expected) << where;
    EXPECT_EQ(field_text(exact, c.value, c.w, c.d), c.expected) << where << " (general path)";
  }
}

TEST(Field, Integers) {
  static const struct {
    std::int32_t value;
    int w;
    const char* expected;
  } cases[] = {
      {-12345, 6, "-12345"},
      {-123456, 6, "******"},
      {0, 6, "     0"},
      {1000, 6, "  1000"},
      {1000000, 6, "******"},
      {123456789, 8, "********"},
      {12345678, 8, "12345678"},
      {-2147483647 - 1, 11, "-2147483648"},
      {-2147483647 - 1, 10, "**********"},
  };
  for (const auto& c : cases) {
    std::string out(static_cast<std::size_t>(c.w), '?');
    write_integer_field(out.data(), c.value, c.w);
    EXPECT_EQ(out, c.expected) << "I" << c.w << " of " << c.value;
  }
}

}  // namespace
