// The fast route of the real fields against the general path, over millions
// of values (TALVIRONESKA_SWEEP_SCALE scales the sweep).
#include <gtest/gtest.h>

#include <string>

#include "output/field.h"
#include "sample_doubles.h"

namespace {

struct Sweep {
  bool (*fast)(char*, double, int, int);
  void (*exact)(char*, double, int, int);
  const char* name;
  int w;
  int d;
};

const Sweep kSweeps[] = {
    {write_fixed_field_fast, write_fixed_field_exact, "F", 12, 7},
    {write_exp_field_fast, write_exp_field_exact, "1PE", 15, 6},
    {write_exp_field_fast, write_exp_field_exact, "1PE", 15, 7},
    {write_exp_field_fast, write_exp_field_exact, "1PE", 6, 0},
    {write_fixed_field_fast, write_fixed_field_exact, "F", 5, 2},
    {write_fixed_field_fast, write_fixed_field_exact, "F", 3, 0},
    {write_fixed_field_fast, write_fixed_field_exact, "F", 20, 9},
    {write_exp_field_fast, write_exp_field_exact, "1PE", 18, 9},
};

// Returns how many values the fast route took.
long sweep(const Sweep& s, long count, std::uint64_t seed, double (*draw)(SampleDoubles&, int)) {
  SampleDoubles sample(seed);
  char fast[64];
  char exact[64];
  long taken = 0;
  int failures = 0;
  for (long i = 0; i < count; ++i) {
    const double v = draw(sample, s.d);
    if (!s.fast(fast, v, s.w, s.d)) continue;
    ++taken;
    s.exact(exact, v, s.w, s.d);
    const std::string got(fast, static_cast<std::size_t>(s.w));
    const std::string want(exact, static_cast<std::size_t>(s.w));
    if (got != want && ++failures <= 20) {
      ADD_FAILURE() << s.name << s.w << "." << s.d << " of " << std::hexfloat << v << " (" << std::defaultfloat
                    << v << "): fast [" << got << "] general [" << want << "]";
    }
  }
  return taken;
}

TEST(FieldFast, AgreesWithTheGeneralPath) {
  const double scale = sweep_scale();
  std::uint64_t seed = 1;
  for (const Sweep& s : kSweeps) {
    const bool main_shape = s.w >= 12 && (s.d == 7 || s.d == 6);
    const auto count = static_cast<long>((main_shape ? 1500000 : 150000) * scale);
    sweep(s, count, seed++, [](SampleDoubles& sample, int d) { return sample.mixed(d); });
    sweep(s, count / 4, seed++, [](SampleDoubles& sample, int d) { return sample.decimal_half(d, 9); });
    sweep(s, count / 4, seed++, [](SampleDoubles& sample, int d) { return sample.carry(d); });
    sweep(s, count / 4, seed++, [](SampleDoubles& sample, int) { return sample.binary_tie(30); });
  }
}

// The sweep above only means something if the fast route does the work.
TEST(FieldFast, TakesTheCommonValues) {
  const long count = 100000;
  const long times = sweep(kSweeps[0], count, 7, [](SampleDoubles& sample, int) { return sample.curve_time(); });
  const long thrusts = sweep(kSweeps[1], count, 8, [](SampleDoubles& sample, int) { return sample.log_uniform(-3, 5); });
  EXPECT_EQ(times, count);
  EXPECT_EQ(thrusts, count);
}

}  // namespace
