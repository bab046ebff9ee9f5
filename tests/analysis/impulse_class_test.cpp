#include "analysis/impulse_class.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

TEST(ImpulseClass, BandLimits) {
  static const struct {
    double It;
    const char* classe;
    // clang-format off
  } cases[] = {
      {0.3125, "1/8A"}, {0.3126, "1/4A"}, {1e-300, "1/8A"}, {0.625, "1/4A"},  {1.25, "1/2A"},
      {1.2500001, "A   "}, {2.5, "A   "}, {2.5000001, "B   "}, {40.0, "E   "}, {40.000001, "F   "},
      {61.409, "F   "}, {10240.0, "M   "}, {20480.0, "N   "}, {0.0, "    "},    {-0.0, "    "},
      {-5.0, "    "}, {20480.000001, "    "}, {std::numeric_limits<double>::infinity(), "    "},
      {std::numeric_limits<double>::quiet_NaN(), "    "},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto classe = impulse_class(c.It);
    EXPECT_EQ(std::string(classe.data(), 4), c.classe) << c.It;
  }
}
