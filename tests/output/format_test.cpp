#include "output/format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace layout;

TEST(Format, LineRules) {
  constexpr LayoutItem kTwoBreaksFirst[] = {slash, slash, lit("x")};
  constexpr LayoutItem kTrailingBlank[] = {lit("#  Caso   = "), A};
  constexpr LayoutItem kTabs[] = {lit("#"), T(4), lit("t [s]"), T(16), lit("F [N]")};
  constexpr LayoutItem kTabBack[] = {lit("abcdef"), T(3), lit("X")};
  constexpr LayoutItem kSkipAtEnd[] = {lit("ab"), X(3)};
  constexpr LayoutItem kSkipThenWrite[] = {X(1), lit("--"), X(3), lit("+")};
  constexpr LayoutItem kHeaderEnd[] = {lit("#"), T(4), lit("Caso = "), A, slash, lit("#")};
  constexpr LayoutItem kFields[] = {F(12, 7), PE(15, 6)};
  constexpr LayoutItem kFiveTimes[] = {T(2), lit("F"), T(5), group(5), X(1), I(2), end_group};
  constexpr LayoutItem kNested[] = {group(2), lit("<"), group(3), lit("."), end_group, lit(">"), end_group};

  static const struct {
    std::span<const LayoutItem> layout;
    std::initializer_list<LayoutValue> values;
    std::string expected;
  } cases[] = {
      {kTwoBreaksFirst, {}, "\r\n\r\nx\r\n"},
      {kTrailingBlank, {std::string_view()}, "#  Caso   = \r\n"},
      {kTrailingBlank, {std::string_view("ensaio 7")}, "#  Caso   = ensaio 7\r\n"},
      {kTabs, {}, "#  t [s]       F [N]\r\n"},
      {kTabBack, {}, "abXdef\r\n"},
      {kSkipAtEnd, {}, "ab\r\n"},
      {kSkipThenWrite, {}, " --   +\r\n"},
      // After the last value the literals up to the end still apply.
      {kHeaderEnd, {std::string_view("c")}, "#  Caso = c\r\n#\r\n"},
      {kFields, {0.0, 12.5}, "   0.0000000   1.250000E+01\r\n"},
      {kFiveTimes, {1, 2, 3, 4, 5}, " F    1  2  3  4  5\r\n"},
      // Values used up: the walk stops at the next value field.
      {kFiveTimes, {1, 2}, " F    1  2\r\n"},
      {kFiveTimes, {}, " F\r\n"},
      {kNested, {}, "<...><...>\r\n"},
      // A value of another kind than its field gives asterisks.
      {kFields, {1, 2.0}, "************   2.000000E+00\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(layout_text(c.layout, c.values), c.expected);
    std::size_t text_bytes = 0;
    for (const LayoutValue& v : c.values) text_bytes += v.text.size();
    EXPECT_LE(c.expected.size(), layout_size_bound(c.layout) + text_bytes);
  }
}

}  // namespace
