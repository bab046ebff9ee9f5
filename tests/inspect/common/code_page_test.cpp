#include "inspect/common/code_page.h"

#include <gtest/gtest.h>

namespace {

// The one decoder: what it takes as a code point and what it refuses.
TEST(CodePage, Utf8SequencesAndWhatIsNotOne) {
  const struct {
    const char* text;
    std::size_t length;  // 0: not UTF-8 at the start
    char32_t code;
  } cases[] = {
      {"a", 1, U'a'},
      {"\xC3\xA7", 2, U'\u00E7'},
      {"\xE2\x82\xAC", 3, U'\u20AC'},
      {"\xF0\x9F\x9A\x80", 4, U'\U0001F680'},
      {"\xC0\xAF", 0, 0},          // overlong '/'
      {"\xE0\x80\xAF", 0, 0},      // overlong '/'
      {"\xF0\x80\x80\xAF", 0, 0},  // overlong '/'
      {"\xED\xA0\x80", 0, 0},      // a surrogate
      {"\xF4\x90\x80\x80", 0, 0},  // past U+10FFFF
      {"\xE7\xE3o", 0, 0},         // Windows-1252
      {"\xE2\x82", 0, 0},          // cut short
      {"\x80", 0, 0},              // a stray continuation byte
  };
  for (const auto& c : cases) {
    char32_t code = 0;
    const std::string_view text = c.text;
    EXPECT_EQ(utf8_sequence(text, 0, &code), c.length) << text;
    EXPECT_EQ(code, c.code) << text;
  }
}

TEST(CodePage, FileNamesInUtf8ReachTheFilesInWindows1252) {
  static const struct {
    const char* utf8;
    const char* cp1252;
  } cases[] = {
      {"queima_\xC3\xA7\xC3\xA3o.dat", "queima_\xE7\xE3o.dat"},
      {"\xE2\x82\xAC 5", "\x80 5"},  // the euro sign is one of the codes that differ from Latin-1
      {"plain", "plain"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp1252_from_utf8(c.utf8), c.cp1252) << c.utf8;
    EXPECT_EQ(utf8_from_cp1252(c.cp1252), c.utf8) << c.utf8;
  }
  // Not UTF-8 (already Windows-1252, cut short, overlong) or not in
  // Windows-1252: kept byte for byte.
  for (const char* kept : {"a\xE7\xE3o", "x\xC3", "\xC0\xAF", "\xE6\x97\xA5"}) EXPECT_EQ(cp1252_from_utf8(kept), kept);
}

TEST(CodePage, CaseFileTextConvertsUtf8AndKeepsWhatIsNot) {
  const struct {
    const char* in;
    const char* out;
    // clang-format off
  } cases[] = {
      {"T\xC3\xADtulo \xE2\x82\xAC 5", "T\xEDtulo \x80 5"},  // UTF-8 in
      {"T\xEDtulo", "T\xEDtulo"},                             // Windows-1252 in, kept
      {"\xE2\x88\x9A 2", "? 2"},                              // no byte for the square root
      {"a\tb\r\nc", "a b  c"},                                // on one line
      {"\xC3\xA7\xC3\xA3o", "\xE7\xE3o"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(to_windows_1252(c.in), c.out) << c.in;
}

}  // namespace
