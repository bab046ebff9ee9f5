// Seeded random draws that give the same numbers with every compiler and
// standard library: a 64-bit generator of its own, uniform doubles from its
// top 53 bits and normal ones by the polar method.
#ifndef TALVIRONESKA_INSPECT_UNCERTAINTY_DRAWS_H_
#define TALVIRONESKA_INSPECT_UNCERTAINTY_DRAWS_H_

#include <cstdint>

class Draws {
 public:
  explicit Draws(std::uint64_t seed) : state_(seed) {}

  // The next 64 bits (splitmix64).
  std::uint64_t bits() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double uniform() { return static_cast<double>(bits() >> 11) * 0x1.0p-53; }
  // Uniform in [-1, 1).
  double symmetric() { return 2.0 * uniform() - 1.0; }
  // Standard normal.
  double normal();

 private:
  std::uint64_t state_;
  bool held_ = false;
  double spare_ = 0.0;
};

#endif  // TALVIRONESKA_INSPECT_UNCERTAINTY_DRAWS_H_
