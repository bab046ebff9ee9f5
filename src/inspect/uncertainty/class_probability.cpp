#include "inspect/uncertainty/class_probability.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "inspect/firing/motor_class.h"
#include "inspect/uncertainty/draws.h"
#include "inspect/uncertainty/record_draws.h"

namespace {

std::string letter_of(double It) {
  const std::optional<MotorClass> c = motor_class(It);
  return c ? c->letter : std::string();
}

// The classes of DRAWS impulses from NEXT, most likely first; those outside
// every class left out of the shares.
template <class Next>
std::vector<ClassChance> tally(int draws, Next next) {
  std::vector<ClassChance> chances;
  int counted = 0;
  for (int n = 0; n < draws; ++n) {
    const std::string letter = letter_of(next());
    if (letter.empty()) continue;
    ++counted;
    auto at = std::find_if(chances.begin(), chances.end(), [&](const ClassChance& c) { return c.letter == letter; });
    if (at == chances.end()) {
      chances.push_back({letter, 1.0});
    } else {
      at->probability += 1.0;
    }
  }
  for (ClassChance& c : chances) c.probability /= std::max(counted, 1);
  std::stable_sort(chances.begin(), chances.end(),
                   [](const ClassChance& x, const ClassChance& y) { return x.probability > y.probability; });
  return chances;
}

}  // namespace

bool near_class_boundary(double It, double U) {
  const std::string at = letter_of(It);
  return letter_of(It - U) != at || letter_of(It + U) != at;
}

std::vector<ClassChance> class_probability(double It, const Budget& budget, int draws, std::uint64_t seed) {
  Draws random(seed);
  return tally(draws, [&] {
    double x = It;
    for (const BudgetTerm& term : budget.terms) {
      if (!term.given || term.u == 0.0) continue;
      x += term.u * (term.bound ? std::sqrt(3.0) * random.symmetric() : random.normal());
    }
    return x;
  });
}

std::vector<ClassChance> class_probability(std::span<const double> t, std::span<const double> F,
                                           const FiringAnalysis& a, const Budget& budget, int draws,
                                           std::uint64_t seed) {
  Draws random(seed);
  RecordModel model = record_model(t, F, a, budget);
  const Burn& b = *a.burn;
  return tally(draws, [&] {
    const TermDraw d = draw_terms(budget, b.It, b.duration, random);
    return redrawn_impulse(model, d, random) + budget.vertical_correction;
  });
}
