#include "core/trimmed.h"

#include <gtest/gtest.h>

#include <string>

#include "core/run_context.h"

TEST(Trimmed, RemovesOnlyBlanksAtBothEnds) {
  static const struct {
    std::string field;
    std::string expected;
  } cases[] = {
      {"  ensaio7  ", "ensaio7"},
      {"teste 1      ", "teste 1"},
      {"          ", ""},
      {"", ""},
      {"\tx\t ", "\tx\t"},
      {std::string(4, '\0'), std::string(4, '\0')},
      {std::string("  a\0 ", 5), std::string("a\0", 2)},
  };
  for (const auto& c : cases) EXPECT_EQ(trimmed(c.field), c.expected) << '[' << c.field << ']';
}

TEST(Trimmed, FixedFieldKeepsInnerBlanks) {
  TextField<10> field;
  field.fill(' ');
  const std::string text = " a b";
  std::copy(text.begin(), text.end(), field.begin());
  EXPECT_EQ(trimmed(field), "a b");
}
