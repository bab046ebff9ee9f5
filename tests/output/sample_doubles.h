// Doubles for the sweeps of the real fields: random ones and the ones where
// rounding hides (exact ties, their neighbours, carries, extremes).
#ifndef TALVIRONESKA_TESTS_OUTPUT_SAMPLE_DOUBLES_H_
#define TALVIRONESKA_TESTS_OUTPUT_SAMPLE_DOUBLES_H_

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

// Sweep sizes are multiplied by TALVIRONESKA_SWEEP_SCALE (default 1).
inline double sweep_scale() {
  const char* text = std::getenv("TALVIRONESKA_SWEEP_SCALE");
  const double scale = text ? std::atof(text) : 1.0;
  return scale > 0 ? scale : 1.0;
}

class SampleDoubles {
 public:
  explicit SampleDoubles(std::uint64_t seed) : rng_(seed) {}

  // Any bit pattern: every exponent, subnormals, infinities, NaNs.
  double any_bits() { return std::bit_cast<double>(rng_()); }

  // |value| spread evenly over the decades [10^lo, 10^hi), random sign.
  double log_uniform(double lo, double hi) {
    const double v = std::pow(10.0, std::uniform_real_distribution<double>(lo, hi)(rng_));
    return (rng_() & 1) ? -v : v;
  }

  // (2n + 1) / 2^j: a finite decimal that ends in 5, so an exact tie at some
  // number of digits.
  double binary_tie(int max_j) {
    const std::uint64_t n = rng_() >> (11 + rng_() % 40);
    const int j = 1 + static_cast<int>(rng_() % static_cast<std::uint64_t>(max_j));
    return std::ldexp(static_cast<double>(2 * n + 1), -j);
  }

  // The double nearest a decimal half (m + 1/2) 10^-d, or one of its close
  // neighbours: the values whose rounding depends on the last bits.
  double decimal_half(int d, int digits) {
    const double m = std::floor(std::uniform_real_distribution<double>(0, std::pow(10.0, digits))(rng_));
    double v = (m + 0.5) / std::pow(10.0, d);
    for (int step = static_cast<int>(rng_() % 5) - 2; step != 0; step += step > 0 ? -1 : 1) {
      v = std::nextafter(v, step > 0 ? 1e308 : -1e308);
    }
    return (rng_() & 1) ? -v : v;
  }

  // 9.9999995-style values that carry into a new leading digit.
  double carry(int d) {
    const int e = static_cast<int>(rng_() % 40) - 20;
    double v = (1.0 - 0.5 * std::pow(10.0, -d - 1)) * std::pow(10.0, e);
    for (int step = static_cast<int>(rng_() % 7) - 3; step != 0; step += step > 0 ? -1 : 1) {
      v = std::nextafter(v, step > 0 ? 1e308 : -1e308);
    }
    return (rng_() & 1) ? -v : v;
  }

  // A point of a sampled curve: k dt (+ ti), as the curve data file writes.
  double curve_time() {
    static const double rates[] = {10, 100, 1000, 3000, 7000, 20000, 44100, 96000, 1e6};
    const double dt = 1.0 / rates[rng_() % 9];
    const double k = static_cast<double>(rng_() % 100000000);
    return (rng_() & 1) ? k * dt : k * dt + 0.1 * static_cast<double>(rng_() % 20);
  }

  // One of the above, chosen at random.
  double mixed(int d) {
    switch (rng_() % 6) {
      case 0: return any_bits();
      case 1: return log_uniform(-12, 12);
      case 2: return binary_tie(40);
      case 3: return decimal_half(d, 1 + static_cast<int>(rng_() % 12));
      case 4: return carry(d);
      default: return curve_time();
    }
  }

  static std::vector<double> specials() {
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    return {0.0,    -0.0,   inf,     -inf,    std::numeric_limits<double>::quiet_NaN(),
            -std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min(),
            -std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
            std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
            0.125,  2.5,    3.5,     0.5,     1.5,  9.5,   9.9999995, 99999.995, 0.99999995,
            9999999.5, 1e100, 1e-100, 1e22,   1e23, 5e-324, 0.1,  9.6};
    // clang-format on
  }

 private:
  std::mt19937_64 rng_;
};

#endif  // TALVIRONESKA_TESTS_OUTPUT_SAMPLE_DOUBLES_H_
