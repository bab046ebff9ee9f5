#include "run/command_word.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandWord, PlainNamesKeepTheirBytes) {
  static const char* const names[] = {
      "",
      "ensaio7_saida_A.txt",
      "teste 1_saida_A.txt",
      "f67w_caso.txt",
      "Motor-2.v3+extra",
      "medi\xE7\xE3o \xC9 \xF1 \xB5 \xAA\xBA \x8A\x9F",  // Windows-1252 letters
  };
  for (const char* name : names) {
    EXPECT_EQ(sh_word(name), name) << name;
    EXPECT_EQ(cmd_word(name), name) << name;
  }
  // Characters that only one of the interpreters reads as plain text.
  for (const char* name : {"a,b", "a:b", "a@b", "sub/caso.txt", "a=b", "100%"}) EXPECT_EQ(sh_word(name), name);
  for (const char* name : {"C:\\dados\\caso.txt", "sub\\caso.txt", "sub/caso.txt"}) EXPECT_EQ(cmd_word(name), name);
}

TEST(CommandWord, OtherNamesAreQuotedWhole) {
  static const struct {
    std::string name;
    std::string sh;
    std::string cmd;
  } cases[] = {
      {"x;touch P;y", "'x;touch P;y'", "\"x;touch P;y\""},
      {"x|y", "'x|y'", "\"x|y\""},
      {"A&B", "'A&B'", "\"A&B\""},
      {"x$(id)y", "'x$(id)y'", "\"x$(id)y\""},
      {"ensaio(2)", "'ensaio(2)'", "\"ensaio(2)\""},
      {"x`id`", "'x`id`'", "\"x`id`\""},
      {"x #y", "'x #y'", "\"x #y\""},
      {"x >dados.dat #", "'x >dados.dat #'", "\"x >dados.dat #\""},
      {"<x", "'<x'", "\"<x\""},
      {"d'agua", "'d'\\''agua'", "\"d'agua\""},
      {"''", "''\\'''\\'''", "\"''\""},
      {"a\\b", "'a\\b'", "a\\b"},
      {"~/x", "'~/x'", "\"~/x\""},
      {"e*?[a]{b}", "'e*?[a]{b}'", "\"e*?[a]{b}\""},
      {"a^b!c", "'a^b!c'", "\"a^b!c\""},
      {"a,b;c=d@e/f", "'a,b;c=d@e/f'", "\"a,b;c=d@e/f\""},
      {"teste  1", "'teste  1'", "\"teste  1\""},
      {" x", "' x'", "\" x\""},
      {"x ", "'x '", "\"x \""},
      {"a\tb\rc", "'a\tb\rc'", "\"a\tb\rc\""},
      {"\xA0\xB0\x80", "'\xA0\xB0\x80'", "\"\xA0\xB0\x80\""},  // no letters, though above ASCII
      // cmd.exe expands %VAR% between quotation marks too: each % stands outside.
      {"%PATH%", "%PATH%", "%\"PATH\"%"},
      {"100%", "100%", "\"100\"%"},
      {"50 %PATH% x", "50 %PATH% x", "\"50 \"%\"PATH\"%\" x\""},
      {"a%%b&", "'a%%b&'", "\"a\"%%\"b&\""},
      {"a\"b&\"", "'a\"b&\"'", "\"ab&\""},  // no Windows name holds a quotation mark
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sh_word(c.name), c.sh) << c.name;
    EXPECT_EQ(cmd_word(c.name), c.cmd) << c.name;
  }
}

TEST(CommandWord, NameEndsAtItsFirstNul) {
  const std::string name("caso\0;x", 7);
  EXPECT_EQ(sh_word(name), "caso");
  EXPECT_EQ(cmd_word(name), "caso");
  EXPECT_EQ(sh_word(std::string("a b\0", 4)), "a b");
  EXPECT_EQ(sh_word(std::string(90, '\0')), "");
}

}  // namespace
