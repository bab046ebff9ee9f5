#include "input/thrust_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/figures.h"
#include "io/severe_error.h"
#include "../support/temp_dir.h"

namespace {

std::string exact(double x) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}

struct Outcome {
  int error = 0;
  std::vector<double> F;
  std::string line;  // the severe error line, when there is one
};

// Window [1.0, 2.0] at 10 Hz: dt = 0.1, keeps 0.95 < t < 2.05.
Outcome read_with(const std::string& data, std::int32_t nmax = 100) {
  std::FILE* f = std::fopen("dados.dat", "wb");
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
  RunContext rc;
  const std::string name = "  dados.dat";
  rc.original.fill(' ');
  std::memcpy(rc.original.data(), name.data(), name.size());
  rc.ti = 1.0;
  rc.tf = 2.0;
  rc.w = 10;
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
  return out;
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
      {"1,5 2,5\n3.0 0\n", 0, {5}},
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
