// The fast route of the real fields against the general path, over millions
// of values (TALVIRONESKA_SWEEP_SCALE scales the sweep).
#include "output/field_fast.h"

#include <gtest/gtest.h>

#include <string>

#include "output/field.h"
#include "sample_doubles.h"

namespace {

struct Sweep {
  bool (*fast)(char*, double);
  void (*exact)(char*, double, int, int);
  const char* name;
  int w;
  int d;
  long count;  // for the mixed draw; a quarter of it for each adversarial one
};

// The program's shapes first, then others that exercise the templates' limits.
const Sweep kSweeps[] = {
    {field_fast::fixed_field<12, 7>, write_fixed_field_exact, "F", 12, 7, 1500000},
    {field_fast::exp_field<15, 6>, write_exp_field_exact, "1PE", 15, 6, 1500000},
    {field_fast::exp_field<15, 7>, write_exp_field_exact, "1PE", 15, 7, 300000},
    {field_fast::fixed_field<8, 1>, write_fixed_field_exact, "F", 8, 1, 100000},
    {field_fast::fixed_field<10, 7>, write_fixed_field_exact, "F", 10, 7, 100000},
    {field_fast::fixed_field<16, 3>, write_fixed_field_exact, "F", 16, 3, 100000},
    {field_fast::exp_field<12, 1>, write_exp_field_exact, "1PE", 12, 1, 100000},
    {field_fast::exp_field<14, 7>, write_exp_field_exact, "1PE", 14, 7, 100000},
};

using Draw = double (*)(SampleDoubles&, int);

// Returns how many values the fast route took.
long sweep(const Sweep& s, long count, std::uint64_t seed, Draw draw) {
  SampleDoubles sample(seed);
  char fast[64];
  char exact[64];
  long taken = 0;
  int failures = 0;
  for (long i = 0; i < count; ++i) {
    const double v = draw(sample, s.d);
    if (!s.fast(fast, v)) continue;
    ++taken;
    s.exact(exact, v, s.w, s.d);
    const std::string got(fast, static_cast<std::size_t>(s.w));
    const std::string want(exact, static_cast<std::size_t>(s.w));
    if (got != want && ++failures <= 20) {
      ADD_FAILURE() << s.name << s.w << "." << s.d << " of " << std::hexfloat << v << " (" << std::defaultfloat << v
                    << "): fast [" << got << "] general [" << want << "]";
    }
  }
  return taken;
}

TEST(FieldFast, AgreesWithTheGeneralPath) {
  const double scale = sweep_scale();
  std::uint64_t seed = 1;
  for (const Sweep& s : kSweeps) {
    const auto count = static_cast<long>(static_cast<double>(s.count) * scale);
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
  const long thrusts =
      sweep(kSweeps[1], count, 8, [](SampleDoubles& sample, int) { return sample.log_uniform(-3, 5); });
  EXPECT_EQ(times, count);
  EXPECT_EQ(thrusts, count);
}

TEST(FieldFast, EightDigits) {
  static const struct {
    std::uint32_t x;
    const char* expected;
  } cases[] = {{0, "00000000"},        {7, "00000007"},        {1234567, "01234567"},
               {99999999, "99999999"}, {10000000, "10000000"}, {90909090, "90909090"}};
  for (const auto& c : cases) {
    char out[8];
    field_fast::put_eight_digits(out, c.x);
    EXPECT_EQ(std::string(out, 8), c.expected) << c.x;
  }
}

}  // namespace
