// The chance of each impulse class for a firing near a class boundary: a
// seeded Monte Carlo over the budget's terms, the burn found again on its
// records perturbed by them (record_draws.h).
#ifndef TALVIRONESKA_INSPECT_UNCERTAINTY_CLASS_PROBABILITY_H_
#define TALVIRONESKA_INSPECT_UNCERTAINTY_CLASS_PROBABILITY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "inspect/firing/firing.h"
#include "inspect/uncertainty/budget.h"

struct ClassChance {
  std::string letter;  // as motor_class names it
  double probability = 0.0;
};

inline constexpr int kClassDraws = 4000;
inline constexpr std::uint64_t kClassSeed = 0x7A1F1E50A5EEDULL;

// Whether IT +- U reaches into a neighbouring class.
bool near_class_boundary(double It, double U);

// The classes of IT's draws, most likely first: each given term of BUDGET
// drawn (normal, or uniform for a bound) and added to IT, DRAWS times from
// SEED. Draws outside every class are left out of the shares.
std::vector<ClassChance> class_probability(double It, const Budget& budget, int draws = kClassDraws,
                                           std::uint64_t seed = kClassSeed);

// The same for A's burn (A must hold one) over records (T, F): each draw
// perturbs the records by BUDGET's terms and finds the burn's impulse on
// them again; the terms that are not a change of the records, and
// BUDGET's vertical correction, are added to it.
std::vector<ClassChance> class_probability(std::span<const double> t, std::span<const double> F,
                                           const FiringAnalysis& a, const Budget& budget, int draws = kClassDraws,
                                           std::uint64_t seed = kClassSeed);

#endif  // TALVIRONESKA_INSPECT_UNCERTAINTY_CLASS_PROBABILITY_H_
