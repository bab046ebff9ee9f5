// The fast number paths against the C library's exactly rounded strtod, over
// random tokens of the forms data loggers write.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "input/list_reader.h"
#include "input/number.h"

namespace {

std::string random_token(std::mt19937_64& rng) {
  std::string s;
  const unsigned shape = rng() % 8;
  if (rng() % 3 == 0) s += (rng() % 2) ? '-' : '+';
  const int int_digits = static_cast<int>(rng() % (shape == 0 ? 22 : 8));
  const int frac_digits = static_cast<int>(rng() % (shape == 1 ? 22 : 9));
  for (int i = 0; i < int_digits; ++i) s += static_cast<char>('0' + (i == 0 && rng() % 2 ? 0 : rng() % 10));
  if (frac_digits > 0 || rng() % 4 == 0) s += '.';
  for (int i = 0; i < frac_digits; ++i) s += static_cast<char>('0' + rng() % 10);
  if (int_digits == 0 && frac_digits == 0) s += '5';
  if (shape >= 5) {
    static const char letters[] = "eEdDqQ";
    s += letters[rng() % 6];
    if (rng() % 2) s += (rng() % 2) ? '-' : '+';
    s += std::to_string(rng() % (shape == 7 ? 400 : 30));
  }
  return s;
}

double reference(const std::string& token) {
  std::string c;
  for (const char ch : token) c += std::strchr("dDqQ", ch) ? 'e' : ch;
  return std::strtod(c.c_str(), nullptr);
}

bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(NumberDifferential, FastPathsAgreeWithStrtod) {
  std::mt19937_64 rng(20261208);
  int fast = 0;
  for (int i = 0; i < 1000000; ++i) {
    const std::string token = random_token(rng);
    const double expected = reference(token);
    double value = 0.0;
    const ReadError error = parse_real(token, &value);
    if (std::isinf(expected)) {
      ASSERT_EQ(error, ReadError::conversion) << token;
      continue;
    }
    ASSERT_EQ(error, ReadError::none) << token;
    ASSERT_TRUE(same(value, expected)) << token << " gave " << value << " expected " << expected;
    double quick = 0.0;
    const char* end = scan_plain_real(token.data(), token.data() + token.size(), &quick);
    if (end == nullptr) continue;
    ++fast;
    if (end == token.data() + token.size()) {
      ASSERT_TRUE(same(quick, expected)) << token;
    } else {
      ASSERT_TRUE(std::strchr("dDqQ", *end)) << token;  // stops at a letter the fast path leaves alone
    }
  }
  EXPECT_GT(fast, 300000);  // the common shapes do take the fast path
}

TEST(NumberDifferential, ScanStopsAtTheFirstCharacterOutsideTheNumber) {
  static const struct {
    const char* text;
    int consumed;  // -1: left to the general path
    double value;
    // clang-format off
  } cases[] = {
      {"0.000001 -0.24714", 8, 0.000001}, {"-0.25495\t1", 8, -0.25495}, {"1.5,2", 3, 1.5},
      {"12N", 2, 12.0},                   {"1.000000E+01\t", 12, 10.0}, {"-0.0 ", 4, -0.0},
      {".5/", 2, 0.5},                    {"5.", 2, 5.0},               {"1e", -1, 0},
      {"-", -1, 0},                       {".", -1, 0},                 {"1e23", -1, 0},
      {"12345678901234567890", -1, 0},    {"9007199254740993", -1, 0},  {"1e-5x", 4, 1e-5},
  };
  // clang-format on
  for (const auto& c : cases) {
    const char* end = c.text + std::strlen(c.text);
    double value = 99;
    const char* stop = scan_plain_real(c.text, end, &value);
    if (c.consumed < 0) {
      EXPECT_EQ(stop, nullptr) << c.text;
      continue;
    }
    ASSERT_NE(stop, nullptr) << c.text;
    EXPECT_EQ(stop - c.text, c.consumed) << c.text;
    EXPECT_TRUE(same(value, c.value)) << c.text;
  }
}

TEST(NumberDifferential, PairReadAgreesWithTheGeneralRead) {
  static const char* const pieces[] = {"0.5",  "-1.25",        "1.5D0", "+2", "3*",    "2*4.5", ",",    ", ",
                                       " ",    "\t",           "/",     "x",  "1e999", "\n",    "\r\n", "7",
                                       "-0.0", "1.000000E+01", "''",    "12N"};
  std::mt19937_64 rng(7);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const int n = 1 + static_cast<int>(rng() % 7);
    for (int k = 0; k < n; ++k) {
      text += pieces[rng() % std::size(pieces)];
      if (rng() % 2) text += ' ';
    }
    text += "\n9 9\n";
    StringLines a_lines(text), b_lines(text);
    ListReader a(a_lines), b(b_lines);
    double a1 = 11, a2 = 12, b1 = 11, b2 = 12;
    const ReadItem items[] = {real_item(&b1), real_item(&b2)};
    for (int record = 0; record < 2; ++record) {
      const ReadError fast = a.read_pair(&a1, &a2);
      const ReadError general = b.read(items);
      ASSERT_EQ(fast, general) << text;
      if (fast != ReadError::none) break;
      ASSERT_TRUE(same(a1, b1) && same(a2, b2)) << text;
    }
  }
}
