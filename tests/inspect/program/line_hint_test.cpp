#include "inspect/program/line_hint.h"

#include <gtest/gtest.h>

namespace {

TEST(LineHint, ClassifiesUnreadableLines) {
  const struct {
    const char* line;
    LineHint hint;
  } cases[] = {
      {"Tempo (s)  Empuxo (N)", LineHint::header},
      {"Force_lbf", LineHint::header},
      {"0,002;1,234", LineHint::decimal_comma},
      {"0.002;1.234", LineHint::semicolon},
      {"2;15", LineHint::semicolon},
      {"0,002 1,2x", LineHint::decimal_comma},
      {"0.002 12.5N", LineHint::unit_letter},
      {"0.002s 12.5", LineHint::unit_letter},
      {"1e3 2.0kgf", LineHint::unit_letter},
      {"0.002 #12", LineHint::other},
      {"0.002 --12", LineHint::other},
  };
  for (const auto& c : cases) EXPECT_EQ(classify_unreadable(c.line), c.hint) << c.line;
}

TEST(LineHint, FindsDecimalCommasInLinesReadWithoutError) {
  const struct {
    const char* line;
    bool commas;
    // clang-format off
  } cases[] = {
      {"0,002 1,234", true},
      {"0,002\t-1,5", true},
      {"12 1,5", true},
      {"0.002,1.234", false},  // a comma between two numbers with points
      {"1,2", false},          // one field: two integers
      {"1, 2", false},
      {"0.5 1,5", false},      // a point: the comma separates
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(looks_like_decimal_commas(c.line), c.commas) << c.line;
}

TEST(LineHint, PrintableLineEscapesAndCuts) {
  EXPECT_EQ(printable_line("a\tb\xE9"), "a\\tb\\xE9");
  EXPECT_EQ(printable_line(std::string(80, 'x'), 5), "xxxxx...");
}

}  // namespace
