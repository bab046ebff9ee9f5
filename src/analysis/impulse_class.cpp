#include "analysis/impulse_class.h"

namespace {

constexpr char kClasses[17][5] = {"1/8A", "1/4A", "1/2A", "A   ", "B   ", "C   ", "D   ", "E   ", "F   ",
                                  "G   ", "H   ", "I   ", "J   ", "K   ", "L   ", "M   ", "N   "};

}  // namespace

TextField<4> impulse_class(double It) {
  TextField<4> classe = {' ', ' ', ' ', ' '};
  // Every limit, 0.3125 * 2^k, is exact in double, so the comparisons are too.
  double lower = 0.0;
  double upper = 0.3125;
  for (const auto& text : kClasses) {
    if (lower < It && It <= upper) {
      for (int i = 0; i < 4; ++i) classe[i] = text[i];
      break;
    }
    lower = upper;
    upper *= 2.0;
  }
  return classe;
}
