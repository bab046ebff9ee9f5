#include "inspect/common/shown_text.h"

#include <gtest/gtest.h>

namespace {

// invisible_bytes is tried through the inspector's messages, in its
// end-to-end tests.
TEST(ShownText, EscapesWhatATerminalWouldActOn) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {"ensaio_pr\xC3\xA9.dat", "ensaio_pr\xC3\xA9.dat"},  // accents stay
      {"a\x1b[2Jb", "a\\x1B[2Jb"},
      {"a\tb\r\n", "a\\x09b\\x0D\\x0A"},
      {"\xC2\x9B"
       "31m",
       "\\xC2\\x9B31m"},             // U+009B, the one-character CSI
      {"\xE9t\xE9", "\\xE9t\\xE9"},  // Windows-1252, not UTF-8
      {"\xEF\xBB\xBF"
       "caso.txt",
       "\\xEF\\xBB\\xBF"
       "caso.txt"},
      {"x\x7F", "x\\x7F"},
      {"\xE2\x82", "\\xE2\\x82"},           // a sequence cut short
      {"\xE0\x80\xAF", "\\xE0\\x80\\xAF"},  // an overlong '/'
  };
  for (const auto& c : cases) EXPECT_EQ(shown(c.text), c.shown) << c.shown;
  EXPECT_EQ(shown("linha 1\nlinha\x1b 2\n", true), "linha 1\nlinha\\x1B 2\n");
}

}  // namespace
