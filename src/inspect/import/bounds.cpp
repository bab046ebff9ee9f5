#include "inspect/import/bounds.h"

#include <cmath>

#include "inspect/common/text.h"
#include "inspect/firing/uniform_grid.h"

namespace {

// The time units a log may state, as scales to seconds.
struct UnitScale {
  TimeUnit unit;
  const char* option;
};
constexpr UnitScale kUnits[] = {{TimeUnit::s, "s"}, {TimeUnit::ms, "ms"}, {TimeUnit::us, "us"}};

}  // namespace

std::size_t grid_limit(std::size_t records) { return 2 * records + 1000; }

std::string grid_problem(const LogRead& log, std::int32_t w) {
  const std::size_t records = log.records.size();
  const std::size_t points = WrittenCurve{log.records.t, log.records.F, w}.size();
  if (points <= grid_limit(records)) return "";
  const LogGap& gap = log.widest_gap;
  return "a grade de 1/w = 1/" + std::to_string(w) + " s teria " + std::to_string(points) + " pontos para " +
         std::to_string(records) + " registros (no máximo " + std::to_string(grid_limit(records)) +
         "): a maior lacuna vai da linha " + std::to_string(gap.line_before) + " (" + shortest(gap.from) +
         " s) à linha " + std::to_string(gap.line_after) + " (" + shortest(gap.to) +
         " s), e uma lacuna longa não é preenchida; corte o registro antes dela, ou grave-o nos tempos medidos com "
         "--medido";
}

std::string rate_problem(double measured, const LogColumns& columns) {
  if (measured >= kLowestRate && measured <= kHighestRate) return "";
  std::string text = "a taxa medida, " + shortest(measured) + " Hz, não é a de um registrador (de " +
                     shortest(kLowestRate) + " Hz a 1 MHz)";
  if (columns.time < 0) return text + ": confira --taxa";
  const double scale = per_second(columns.time_unit);
  for (const UnitScale& other : kUnits) {
    // The same stamps read in OTHER give this rate.
    const double rate = measured * per_second(other.unit) / scale;
    if (other.unit != columns.time_unit && rate >= 10.0 && rate <= 1e5) {
      return text + ": com os tempos em " + other.option + " ela seria " + shortest(rate) + " Hz; confira a unidade (" +
             columns.time_unit_source + ") e dê --tempo " + other.option + " se for ela";
    }
  }
  return text + ": confira a unidade do tempo (" + columns.time_unit_source + ")";
}
