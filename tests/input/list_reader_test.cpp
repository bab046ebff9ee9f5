#include "input/list_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "input/number.h"

namespace {

std::string field_text(const char* field, std::size_t n) { return std::string(field, n); }

std::string padded(std::string text, std::size_t n) {
  text.resize(n, ' ');
  return text;
}

// One read of a single real from INPUT.
ReadError read_one_real(const std::string& input, double* value) {
  StringLines lines(input);
  ListReader reader(lines);
  const ReadItem items[] = {real_item(value)};
  return reader.read(items);
}

}  // namespace

TEST(ParseReal, Forms) {
  static const struct {
    const char* token;
    double expected;
    // clang-format off
  } cases[] = {
      {"5", 5.0},          {"-5", -5.0},        {"+1.5", 1.5},       {"1.5D0", 1.5},
      {"1.5d+1", 15.0},    {"2.5Q-1", 0.25},    {"2.5q2", 250.0},    {"1e3", 1000.0},
      {"1E-3", 0.001},     {".5", 0.5},         {"5.", 5.0},         {"-.25e1", -2.5},
      {"0.1", 0.1},        {"123456.789", 123456.789},
      {"1.00000000000000000000001", 1.0},
      {"12345678901234567890123", 12345678901234567890123.0},
      {"1e-999", 0.0},     {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"9007199254740993", 9007199254740992.0},
      {"0.000000000000000000000000001", 1e-27},
  };
  // clang-format on
  for (const auto& c : cases) {
    double value = -1.0;
    ASSERT_EQ(parse_real(c.token, &value), ReadError::none) << c.token;
    EXPECT_EQ(value, c.expected) << c.token;
  }
  double value = 1.0;
  ASSERT_EQ(parse_real("-0.0", &value), ReadError::none);
  EXPECT_TRUE(value == 0.0 && std::signbit(value));
}

TEST(ParseReal, Rejects) {
  static const struct {
    const char* token;
    ReadError expected;
    // clang-format off
  } cases[] = {
      {"", ReadError::syntax},     {"+", ReadError::syntax},      {".", ReadError::syntax},
      {"e5", ReadError::syntax},   {"1e", ReadError::syntax},     {"1e+", ReadError::syntax},
      {"1+4", ReadError::syntax},  {"--1", ReadError::syntax},    {"+-1", ReadError::syntax},
      {"1.5N", ReadError::syntax}, {"1.2.3", ReadError::syntax},  {"inf", ReadError::syntax},
      {"nan", ReadError::syntax},  {"Infinity", ReadError::syntax}, {"0x10", ReadError::syntax},
      {".TRUE.", ReadError::syntax}, {"(1,2)", ReadError::syntax}, {"1e5.0", ReadError::syntax},
      {"1e999", ReadError::conversion}, {"-1e999", ReadError::conversion},
      {"1.8e308", ReadError::conversion},
  };
  // clang-format on
  for (const auto& c : cases) {
    double value = 7.0;
    EXPECT_EQ(parse_real(c.token, &value), c.expected) << c.token;
  }
}

TEST(ParseInteger, FormsAndLimits) {
  static const struct {
    const char* token;
    ReadError error;
    std::int32_t expected;
    // clang-format off
  } cases[] = {
      {"1000", ReadError::none, 1000},         {"-5", ReadError::none, -5},
      {"+7", ReadError::none, 7},              {"007", ReadError::none, 7},
      {"2147483647", ReadError::none, INT32_MAX}, {"-2147483648", ReadError::none, INT32_MIN},
      {"2147483648", ReadError::conversion, 0}, {"-2147483649", ReadError::conversion, 0},
      {"99999999999999999999999", ReadError::conversion, 0},
      {"1.0", ReadError::syntax, 0},           {"1e3", ReadError::syntax, 0},
      {"", ReadError::syntax, 0},              {"-", ReadError::syntax, 0},
      {"12a", ReadError::syntax, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    std::int32_t value = 0;
    EXPECT_EQ(parse_integer(c.token, &value), c.error) << c.token;
    if (c.error == ReadError::none) {
      EXPECT_EQ(value, c.expected) << c.token;
    }
  }
}

TEST(StringLines, SplitsAtLineFeedsAndDropsTheCrBeforeThem) {
  StringLines lines("a\r\n\nb\rc\r");
  std::string_view line;
  std::string got;
  while (lines.next_record(&line)) {
    got += '[';
    got += line;
    got += ']';
  }
  EXPECT_EQ(got, "[a][][b\rc\r]");
}

TEST(ListReader, OneRealPerRead) {
  static const struct {
    std::string input;
    ReadError error;
    double expected;  // 99 stands for "unchanged"
  } cases[] = {
      {"0.8  ti (s)\n", ReadError::none, 0.8},
      {"\n\n  \t 2.95\n", ReadError::none, 2.95},
      {"0.8 2.95\n", ReadError::none, 0.8},
      {"0.8,2.95\n", ReadError::none, 0.8},
      {",,\n", ReadError::none, 99},
      {", 5\n", ReadError::none, 99},
      {"/ 5\n", ReadError::none, 99},
      {"3*4.5\n", ReadError::none, 4.5},
      {"3*\n", ReadError::none, 99},
      {"1.5D0\n", ReadError::none, 1.5},
      {"7", ReadError::none, 7.0},
      {"7\r", ReadError::syntax, 0},
      {"", ReadError::end_of_file, 0},
      {"\n  \n\t\n", ReadError::end_of_file, 0},
      {"12N\n", ReadError::syntax, 0},
      {"abc\n", ReadError::syntax, 0},
      {"'1.0'\n", ReadError::syntax, 0},
      {"0*5\n", ReadError::syntax, 0},
      {"0*\n", ReadError::syntax, 0},
      {"1e999\n", ReadError::conversion, 0},
      {"1.0\r2.0\r", ReadError::syntax, 0},
      {std::string("1\0", 2), ReadError::syntax, 0},
      {std::string("1 \0", 3), ReadError::none, 1.0},
  };
  for (const auto& c : cases) {
    double value = 99;
    EXPECT_EQ(read_one_real(c.input, &value), c.error) << c.input;
    if (c.error == ReadError::none) {
      EXPECT_EQ(value, c.expected) << c.input;
    }
  }
}

TEST(ListReader, Texts) {
  static const struct {
    std::string input;
    ReadError error;
    std::string expected;  // before padding to 10
  } cases[] = {
      {"ensaio7.txt  nota\n", ReadError::none, "ensaio7.txt"},
      {"\n\n  ensaio7.txt\n", ReadError::none, "ensaio7.txt"},
      {"'meu caso.txt'\n", ReadError::none, "meu caso.txt"},
      {"meu caso.txt\n", ReadError::none, "meu"},
      {"casos/e7.txt\n", ReadError::none, "casos"},
      {"'casos/e7.txt'\n", ReadError::none, "casos/e7.t"},
      {"c:\\d\\e.txt\n", ReadError::none, "c:\\d\\e.txt"},
      {"'it''s'\n", ReadError::none, "it's"},
      {"\"say \"\"hi\"\"\"\n", ReadError::none, "say \"hi\""},
      {"\"it's\"\n", ReadError::none, "it's"},
      {"'ab\ncd'\n", ReadError::none, "abcd"},
      {"'ab'cd\n", ReadError::none, "ab"},
      {"''\n", ReadError::none, ""},
      {"a,b\n", ReadError::none, "a"},
      {"2*xy\n", ReadError::none, "xy"},
      {"2*'x y'\n", ReadError::none, "x y"},
      {"x*2\n", ReadError::none, "x*2"},
      {"tab\there\n", ReadError::none, "tab"},
      {"'open\n", ReadError::end_of_file, ""},
      {"'open", ReadError::end_of_file, ""},
  };
  for (const auto& c : cases) {
    char field[10];
    std::memset(field, 0, sizeof field);
    StringLines lines(c.input);
    ListReader reader(lines);
    const ReadItem items[] = {text_item(field)};
    EXPECT_EQ(reader.read(items), c.error) << c.input;
    if (c.error == ReadError::none) {
      EXPECT_EQ(field_text(field, 10), padded(c.expected, 10)) << c.input;
    }
  }
}

TEST(ListReader, NullTextLeavesTheFieldUnassigned) {
  char field[4];
  std::memset(field, 0, sizeof field);
  StringLines lines(",,\n");
  ListReader reader(lines);
  const ReadItem items[] = {text_item(field)};
  EXPECT_EQ(reader.read(items), ReadError::none);
  EXPECT_EQ(field_text(field, 4), std::string(4, '\0'));
}

TEST(ListReader, TextLengthLimit) {
  for (const bool quoted : {false, true}) {
    for (const std::size_t n : {kMaxTextLength, kMaxTextLength + 1}) {
      const std::string text(n, 'x');
      const std::string input = quoted ? "'" + text + "'\n" : text + "\n";
      char field[90];
      StringLines lines(input);
      ListReader reader(lines);
      const ReadItem items[] = {text_item(field)};
      EXPECT_EQ(reader.read(items), n <= kMaxTextLength ? ReadError::none : ReadError::syntax)
          << n << (quoted ? " quoted" : "");
    }
  }
  char field[90];
  const std::string input = std::string(95, 'a') + "\n";
  StringLines lines(input);
  ListReader reader(lines);
  const ReadItem items[] = {text_item(field)};
  ASSERT_EQ(reader.read(items), ReadError::none);
  EXPECT_EQ(field_text(field, 90), std::string(90, 'a'));
}

TEST(ListReader, EachReadStartsOnTheNextLine) {
  StringLines lines("1 2 3\n4\n\n5 note\n'six\nand' x\n7\n");
  ListReader reader(lines);
  double a = 0;
  char text[8];
  const ReadItem real[] = {real_item(&a)};
  const ReadItem txt[] = {text_item(text)};
  std::string got;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(reader.read(real), ReadError::none);
    got += std::to_string(static_cast<int>(a)) + " ";
  }
  ASSERT_EQ(reader.read(txt), ReadError::none);
  got += field_text(text, 8) + "|";
  ASSERT_EQ(reader.read(real), ReadError::none);
  got += std::to_string(static_cast<int>(a));
  EXPECT_EQ(got, "1 4 5 sixand  |7");
  EXPECT_EQ(reader.read(real), ReadError::end_of_file);
}

TEST(ListReader, TwoItemRecords) {
  static const struct {
    std::string input;
    ReadError error;
    double t, F;  // 99 stands for "unchanged"
    // clang-format off
  } cases[] = {
      {"0.1 2.5\n", ReadError::none, 0.1, 2.5},
      {"0.1\t2.5\textra\n", ReadError::none, 0.1, 2.5},
      {"0.1, 2.5, 9\n", ReadError::none, 0.1, 2.5},
      {"0.1 ,2.5\n", ReadError::none, 0.1, 2.5},
      {"0.1\n2.5\n", ReadError::none, 0.1, 2.5},
      {"0.1,\n2.5\n", ReadError::none, 0.1, 2.5},
      {"0.1\n\n  ,2.5\n", ReadError::none, 0.1, 2.5},
      {"0,1 2,5\n", ReadError::syntax, 0, 99},
      {"0,1\n", ReadError::none, 0, 1},
      {"0.1,2.5\n", ReadError::none, 0.1, 2.5},
      {"0.1,,2.5\n", ReadError::none, 0.1, 99},
      {",2.5\n", ReadError::none, 99, 2.5},
      {"0.1/2.5\n", ReadError::none, 0.1, 99},
      {"0.1 / 2.5\n", ReadError::none, 0.1, 99},
      {"2*3.5\n", ReadError::none, 3.5, 3.5},
      {"2*3.5", ReadError::none, 3.5, 3.5},
      {"1*3.5 4\n", ReadError::none, 3.5, 4},
      {"2*\n", ReadError::none, 99, 99},
      {"0.1\n", ReadError::end_of_file, 0.1, 99},
      {"0.1 abc\n", ReadError::syntax, 0.1, 99},
      {"t F\n", ReadError::syntax, 99, 99},
      {"1.0E0\t-2.0D1\r\n", ReadError::none, 1.0, -20.0},
  };
  // clang-format on
  for (const auto& c : cases) {
    double t = 99, F = 99;
    StringLines lines(c.input);
    ListReader reader(lines, DecimalCommas::refused);
    const ReadItem items[] = {real_item(&t), real_item(&F)};
    EXPECT_EQ(reader.read(items), c.error) << c.input;
    EXPECT_EQ(t, c.t) << c.input;
    EXPECT_EQ(F, c.F) << c.input;
  }
}

// A number written with a decimal comma, refused: alone in its read (a case
// value), or at the start of a record with a second number after it. Every
// other comma separates, as it does everywhere when decimal commas are
// separated.
TEST(ListReader, DecimalCommas) {
  static const struct {
    const char* input;
    bool one_value_refused;  // the read of one real, and of one integer
    bool record_refused;     // the thrust record, by read_pair and by the general read
    // clang-format off
  } cases[] = {
      {"0,022  M (kg)\n", true, false},  {"-0,8\n", true, false},      {"+3,0125\n", true, false},
      {"10,0\n", true, false},           {"2*0,5\n", true, false},     {"  1000,0\n", true, false},
      {"0,5 3,0\n", true, true},         {"0,5\t3\n", true, true},     {"  -0,5  3e2 nota\n", true, true},
      {"2*0,5 3\n", true, true},         {"0,5e3 1\n", true, true},    {"\n\n0,5 3,0\n", true, true},
      {"1,5\n", true, false},            {"0,5 ,3\n", true, false},    {"0,5 x\n", true, false},
      {"0.5,3.0\n", false, false},       {"0.5, 3.0 9\n", false, false}, {"1, 5 3\n", false, false},
      {",5 3\n", false, false},          {"1e2,5 3\n", false, false},  {"0,,5 3\n", false, false},
      {"0.5 3,0\n", false, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    for (const DecimalCommas commas : {DecimalCommas::separated, DecimalCommas::refused}) {
      const bool refused = commas == DecimalCommas::refused;
      double a = 0, b = 0;
      std::int32_t n = 0;
      const ReadItem real[] = {real_item(&a)};
      const ReadItem integer[] = {integer_item(&n)};
      const ReadItem pair[] = {real_item(&a), real_item(&b)};
      StringLines real_lines(c.input), integer_lines(c.input), pair_lines(c.input), general_lines(c.input);
      ListReader real_reader(real_lines, commas), integer_reader(integer_lines, commas);
      ListReader pair_reader(pair_lines, commas), general_reader(general_lines, commas);
      const bool one = refused && c.one_value_refused;
      const bool record = refused && c.record_refused;
      EXPECT_EQ(real_reader.read(real) == ReadError::syntax, one) << c.input << refused;
      if (std::strchr(c.input, '.') == nullptr && std::strchr(c.input, 'e') == nullptr) {
        EXPECT_EQ(integer_reader.read(integer) == ReadError::syntax, one) << c.input << refused;
      }
      EXPECT_EQ(pair_reader.read_pair(&a, &b) == ReadError::syntax, record) << c.input << refused;
      EXPECT_EQ(general_reader.read(pair) == ReadError::syntax, record) << c.input << refused;
    }
  }
}

TEST(ListReader, RepeatCopiesStayInTheirRead) {
  StringLines lines("3*2.5\n8\n");
  ListReader reader(lines);
  double a = 0, b = 0;
  const ReadItem two[] = {real_item(&a), real_item(&b)};
  const ReadItem one[] = {real_item(&a)};
  ASSERT_EQ(reader.read(two), ReadError::none);
  EXPECT_EQ(b, 2.5);
  ASSERT_EQ(reader.read(one), ReadError::none);
  EXPECT_EQ(a, 8.0);
}

TEST(ListReader, LongRepeatCountIsAccepted) {
  double value = 0;
  EXPECT_EQ(read_one_real("123456789012345678901234567890*4\n", &value), ReadError::none);
  EXPECT_EQ(value, 4.0);
}

namespace {

// What a series of reads gets from TEXT when its lines come in pieces of at
// most CAP bytes: PAIRS reads thrust records, else the reads alternate a
// text, a real, a real and an integer, a text.
std::string reads_in_pieces(const std::string& text, std::size_t cap, bool pairs) {
  StringLines lines(text, cap);
  ListReader reader(lines);
  std::string got;
  double a = -1, b = -1;
  std::int32_t n = -1;
  char field[8];
  std::memset(field, '.', sizeof field);
  const ReadItem text_read[] = {text_item(field)};
  const ReadItem real_read[] = {real_item(&a)};
  const ReadItem mixed_read[] = {real_item(&b), integer_item(&n)};
  for (int i = 0; i < 40; ++i) {
    ReadError error;
    if (pairs) {
      error = reader.read_pair(&a, &b);
    } else {
      const int kind = i % 3;
      error = reader.read(kind == 0   ? std::span<const ReadItem>(text_read)
                          : kind == 1 ? std::span<const ReadItem>(real_read)
                                      : mixed_read);
    }
    got += std::to_string(static_cast<int>(error)) + ":" + std::to_string(a) + "," + std::to_string(b) + "," +
           std::to_string(n) + "," + field_text(field, 8) + " ";
    if (error != ReadError::none) break;
  }
  return got;
}

}  // namespace

// A line that comes in pieces reads exactly as when it comes whole, as long
// as no value is as long as a piece.
TEST(ListReader, LinesInPiecesReadAsWholeLines) {
  const char* const texts[] = {
      "1 2\n3 4\n",
      "   0.5,   1.5 note note note\n2.0\n3.0\n4.0 5\n",
      "1 ,, 2\n3 , , 4\n5 6\n",
      "1 / 2\n3 4 /\n5,/ 6\n7 8",
      "2*5 6\n2* 7\n8 9\n",
      "'a b c d e f' 'g'\n1.5\n2.5 3\n'h, i/j'\n",
      "'quoted_text_without_any_blank_in_it' x\n1\n2 3\n",
      "\t\t\t\t\t\t 7\t8\r\n9       \r\n",
      "1\n\n\n 2\n    \n\n3\n     4\n",
      "1,2,3,4,5,6,7,8,9\n",
      "x 1\n",
      "1 2x\n",
      "1          \n         2  ,   3 \n 4 , 5",
      "'open quote\nover lines, and on'\n",
  };
  for (const char* text : texts) {
    for (bool pairs : {true, false}) {
      const std::string whole = reads_in_pieces(text, kMaxLine, pairs);
      for (std::size_t cap = 5; cap <= 13; ++cap) {
        EXPECT_EQ(reads_in_pieces(text, cap, pairs), whole) << text << " cap " << cap << (pairs ? " pairs" : "");
      }
    }
  }
}

// A value as long as a piece: digits are read whole from their significant
// digits; any other form, and any character no number holds, is a syntax
// error without reading on.
TEST(ListReader, AValueAsLongAsAPieceIsReadOnlyWhenItIsDigits) {
  const struct {
    const char* text;
    std::size_t cap;
    ReadError error;
    double first;
    // clang-format off
  } cases[] = {
      {"123456 1\n", 4, ReadError::none, 123456.0},
      {"-000000000000007 1\n", 4, ReadError::none, -7.0},
      {"0000000000 1\n", 3, ReadError::none, 0.0},
      {"1234x 1\n", 4, ReadError::syntax, -1.0},
      {"12.34567 1\n", 4, ReadError::syntax, -1.0},
      {"1 1\n", 1, ReadError::none, 1.0},
      {"x 2\n", 1, ReadError::syntax, -1.0},
      {"+ 1\n", 1, ReadError::syntax, -1.0},
      {"-\t1\n", 1, ReadError::syntax, -1.0},
  };
  // clang-format on
  for (const auto& c : cases) {
    StringLines lines(c.text, c.cap);
    ListReader reader(lines);
    double a = -1, b = -1;
    EXPECT_EQ(reader.read_pair(&a, &b), c.error) << c.text;
    EXPECT_EQ(a, c.first) << c.text;
    if (c.error == ReadError::none) {
      EXPECT_EQ(b, 1.0) << c.text;
    }
  }
  const std::string huge = "1" + std::string(500, '0') + " 1\n";
  StringLines lines(huge, 16);
  ListReader reader(lines);
  double a = 0, b = 0;
  EXPECT_EQ(reader.read_pair(&a, &b), ReadError::conversion);
  std::int32_t n = 0;
  const ReadItem integer[] = {integer_item(&n)};
  StringLines integer_lines("000000000000042\n", 4);
  ListReader integer_reader(integer_lines);
  EXPECT_EQ(integer_reader.read(integer), ReadError::none);
  EXPECT_EQ(n, 42);
}
