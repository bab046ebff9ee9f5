#include "input/thrust_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "analysis/figures.h"
#include "io/severe_error.h"

#include "../support/temp_dir.h"
#include "../support/thrust_reading_model.h"

namespace {

std::string exact(double x) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}

struct Outcome : ThrustReading {
  std::string line;  // the severe error line, when there is one
};

struct Window {
  double ti, tf;
  std::int32_t w;
};

// By default [1.0, 2.0] at 10 Hz: dt = 0.1, keeps 0.95 < t < 2.05.
Outcome read_with(const std::string& data, std::int32_t nmax = 100, Window window = {1.0, 2.0, 10}) {
  std::FILE* f = std::fopen("dados.dat", "wb");
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
  RunContext rc;
  const std::string name = "  dados.dat";
  rc.original.fill(' ');
  std::memcpy(rc.original.data(), name.data(), name.size());
  rc.ti = window.ti;
  rc.tf = window.tf;
  rc.w = window.w;
  rc.nmax = nmax;
  rc.t.reset(new double[nmax > 0 ? nmax : 0]);
  rc.F.reset(new double[nmax > 0 ? nmax : 0]);
  compute_parameter_figures(rc);
  Outcome out;
  try {
    read_thrust_data(rc);
  } catch (const SevereError& e) {
    out.error = e.number();
    out.line = severe_error_line(e);
  }
  out.F.assign(rc.F.get(), rc.F.get() + rc.nc);
  out.Fmax = rc.Fmax;
  out.tmax = rc.tmax;
  out.Fmin = rc.Fmin;
  return out;
}

// A long record at 10 kHz, mostly "%.6f %.5f" lines, with one line in
// `odd_every` (on average) of another form the general read must take.
std::string long_record(std::size_t lines, std::size_t odd_every, unsigned seed) {
  std::mt19937 random(seed);
  std::string data;
  char buffer[96];
  for (std::size_t i = 0; i < lines; ++i) {
    const double t = static_cast<double>(i) * 1e-4;
    const double F = std::uniform_real_distribution<double>(-5.0, 90.0)(random);
    const char* form = "%.6f %.5f\n";
    if (odd_every > 0 && random() % odd_every == 0) {
      // clang-format off
      static const char* const odd[] = {
          "%.6f\n%.5f\n", "%.6fD0 %.5f\n", "+%.6f, %.5f\r\n", "%.6f %.5f 7\n", "\n%.6f\t%.5f\n",
          "\t%.6f ,%.5f \r\n", "%.6f %.5f,\n", "%.6f 1*%.5f\n", "%.6f %.5fE0\n", ",,\n%.6f %.5f\n",
          "%.6f %.5f\n,\n", "%.6f %.5f\n, 7\n", "%.6f %.5f\n2*\n", "%.6f %.5f\n9 2*\n",
      };
      // clang-format on
      form = odd[random() % std::size(odd)];
    }
    std::snprintf(buffer, sizeof buffer, form, t, F);
    data += buffer;
  }
  return data;
}

}  // namespace

using ThrustDataTest = TempDirTest;

TEST_F(ThrustDataTest, WindowEdges) {
  const double dt = 0.1;
  const std::string at_end = exact((dt / 2.0) + 2.0);
  static const struct {
    std::string data;
    int error;
    std::vector<double> kept;
  } cases[] = {
      {"0.9 1\n" + exact(1.0 - 0.6 * dt) + " 2\n" + exact(1.0 - 0.4 * dt) + " 3\n1.5 4\n2.2 5\n", 0, {3, 4}},
      {"1.0 1\n" + exact(2.0 + 0.4 * dt) + " 2\n1.7 3\n2.1 4\n1.5 9\n", 0, {1, 2, 3}},
      {"1.0 1\n" + at_end + " 2\n1.8 3\n2.1 4\n", 0, {1, 3}},
      {"1.0 1\n" + at_end + " 2\n", kErrEndOfFile, {1}},
      {"1.0 1\n1.1 2\n", kErrEndOfFile, {1, 2}},
      {"", kErrEndOfFile, {}},
      {"t F\n1.0 1\n2.5 0\n", kErrSyntax, {}},
      {"1.0\n7\n1.1 8 99\n3.0 0\n", 0, {7, 8}},
      {"1,5 2,5\n3.0 0\n", kErrSyntax, {}},
      {"1,5\n1.5,3.0\n2.5 0\n", 0, {5, 3}},
      {"2.5 1\n1.5 2\n", 0, {}},
      {"0.5 1\n1.5 2\n0.7 3\n1.6 4\n2.5 0\nnot read\n", 0, {2, 4}},
  };
  for (const auto& c : cases) {
    const Outcome out = read_with(c.data);
    EXPECT_EQ(out.error, c.error) << c.data;
    EXPECT_EQ(out.F, c.kept) << c.data;
  }
}

TEST_F(ThrustDataTest, NmaxIsTheLimit) {
  const std::string data = "1.0 1\n1.1 2\n1.2 3\n5.0 0\n";
  EXPECT_EQ(read_with(data, 3).error, 0);
  EXPECT_EQ(read_with(data, 3).F, (std::vector<double>{1, 2, 3}));
  const Outcome over = read_with(data, 2);
  EXPECT_EQ(over.error, kErrTooManyPoints);
  EXPECT_EQ(over.F, (std::vector<double>{1, 2}));
  EXPECT_EQ(read_with(data, 0).error, kErrTooManyPoints);
  EXPECT_EQ(read_with("0.5 1\n5.0 0\n", 0).error, 0);
}

TEST_F(ThrustDataTest, TooManyPointsMessage) {
  EXPECT_EQ(read_with("1.0 1\n1.1 2\n5 0\n", 1).line,
            "talvironeska: severe (408): more than 1 points inside the time window (nmax), unit 8, file " +
                path_of("dados.dat") + "\n");
}

// Files of several blocks, read with the common lines taken from the block
// (on two cores where there are two) and the others by the general read:
// the same points, extremes and errors as the plain general reading.
TEST_F(ThrustDataTest, LongFilesReadAsTheGeneralReadDoes) {
  static const struct {
    std::size_t odd_every;
    double ti, tf;
    std::int32_t nmax;
    // clang-format off
  } cases[] = {
      {0, 0.5, 11.0, 200000},       // to the end of the file: end-of-file error
      {0, 1.0, 9.0, 200000},        // the reading ends inside the file
      {0, 0.0, 9.0, 60000},         // nmax is reached
      {1000, 0.3, 10.9, 200000},
      {7, 2.0, 9.5, 200000},
      {2, 0.0, 10.5, 200000},
      {200000, 0.7, 8.2, 200000},   // a handful of other lines
  };
  // clang-format on
  unsigned seed = 1;
  for (const auto& c : cases) {
    const Window window{c.ti, c.tf, 10000};
    const std::string data = long_record(110000, c.odd_every, seed++);
    const ThrustReading expected = model_thrust_reading(data, window.ti, window.tf, window.w, 0.0, c.nmax);
    const Outcome got = read_with(data, c.nmax, window);
    const std::string what = "one line in " + std::to_string(c.odd_every) + " odd, window to " + exact(window.tf);
    EXPECT_EQ(got.error, expected.error) << what;
    EXPECT_EQ(got.F.size(), expected.F.size()) << what;
    EXPECT_TRUE(got.F == expected.F) << what;
    EXPECT_EQ(got.Fmax, expected.Fmax) << what;
    EXPECT_EQ(got.tmax, expected.tmax) << what;
    EXPECT_EQ(got.Fmin, expected.Fmin) << what;
  }
}
