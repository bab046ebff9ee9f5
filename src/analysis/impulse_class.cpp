#include "analysis/impulse_class.h"

namespace {

constexpr std::string_view kBands[] = {"1/8A", "1/4A", "1/2A", "A", "B", "C", "D", "E", "F", "G",
                                       "H",    "I",    "J",    "K", "L", "M", "N", "O", "P", "Q",
                                       "R",    "S",    "T",    "U", "V", "W", "X", "Y", "Z"};
constexpr std::size_t kProgramBands = 17;  // up to N

}  // namespace

std::optional<ImpulseBand> impulse_band(double It) {
  // Every limit, 0.3125 * 2^k, is exact in double, so the comparisons are too.
  double lower = 0.0;
  double upper = 0.3125;
  for (std::size_t band = 0; band < std::size(kBands); ++band) {
    if (lower < It && It <= upper) return ImpulseBand{kBands[band], lower, upper, band >= kProgramBands};
    lower = upper;
    upper *= 2.0;
  }
  return std::nullopt;
}

TextField<4> impulse_class(double It) {
  TextField<4> classe = {' ', ' ', ' ', ' '};
  const std::optional<ImpulseBand> band = impulse_band(It);
  if (band && !band->past_n) band->name.copy(classe.data(), classe.size());
  return classe;
}
