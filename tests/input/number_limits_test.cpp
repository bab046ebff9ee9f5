// Numbers at the edges of what the reader's counters hold: exponents of many
// digits against long runs of zeros, which must still convert exactly, and
// results beyond the double range on every platform's C library.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "input/number.h"

TEST(NumberLimits, LongExponentsOffsetByLongDigitRuns) {
  const std::string zeros(99999, '0');
  static const struct {
    std::string token;
    ReadError error;
    double expected;
  } cases[] = {
      // 1e-100000 * 1e1000000 overflows; a clamped exponent once made it 1.0.
      {"0." + zeros + "1e1000000", ReadError::conversion, 0.0},
      {"0." + zeros + "1e100005", ReadError::none, 1e5},
      {"0." + zeros + "1D+0100022", ReadError::none, 1e22},
      {"1" + zeros + "0e-100000", ReadError::none, 1.0},
      {"1" + zeros + "e-99999999", ReadError::none, 0.0},
      {"0." + std::string(1000005, '0') + "1e1000010", ReadError::none, 1e4},
      {"0e9999999999", ReadError::none, 0.0},
      {"-1e-9999999999", ReadError::none, -0.0},
      {"-0." + std::string(400, '0') + "1", ReadError::none, -0.0},
      {"-" + zeros + "1e-400", ReadError::none, -0.0},
      {"0.000" + zeros + "e99999", ReadError::none, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token.substr(c.token.size() - 12));
    double value = -7.0;
    EXPECT_EQ(parse_real(c.token, &value), c.error);
    if (c.error == ReadError::none) {
      EXPECT_EQ(value, c.expected);
      EXPECT_EQ(std::signbit(value), std::signbit(c.expected));
    }
  }
}
