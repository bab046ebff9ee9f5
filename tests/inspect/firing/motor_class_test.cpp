#include "inspect/firing/motor_class.h"

#include <gtest/gtest.h>

namespace {

TEST(MotorClass, BandsThroughNAndBeyond) {
  const struct {
    double It;
    const char* letter;
    double percent;
    // clang-format off
  } cases[] = {
      {0.3125, "1/8A", 100.0}, {0.3126, "1/4A", 0.032},  {1.25, "1/2A", 100.0},  {2.5, "A", 100.0},
      {61.409, "F", 53.5225},   {6411.0, "M", 25.21484}, {20480.0, "N", 100.0}, {20481.0, "O", 0.0048828},
      {50000.0, "P", 22.07031}, {100000.0, "Q", 22.07031},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto mc = motor_class(c.It);
    ASSERT_TRUE(mc) << c.It;
    EXPECT_EQ(mc->letter, c.letter) << c.It;
    EXPECT_NEAR(mc->percent, c.percent, 1e-3) << c.It;
    EXPECT_LT(mc->lower, c.It);
    EXPECT_LE(c.It, mc->upper);
  }
  EXPECT_FALSE(motor_class(0.0));
  EXPECT_FALSE(motor_class(-1.0));
  EXPECT_FALSE(motor_class(1e12));
}

TEST(MotorClass, DesignationRoundsTheAverageThrust) {
  EXPECT_EQ(designation(*motor_class(61.409), 66.46), "F66");
  EXPECT_EQ(designation(*motor_class(61.409), 66.5), "F67");
  EXPECT_EQ(designation(*motor_class(0.9), 2.2), "1/2A2");
}

}  // namespace
