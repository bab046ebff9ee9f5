// Runs that end at an input file: the one error line, exit status 1, and
// which files the run created or left alone.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

std::string error_line(int number, const std::string& text) {
  return "talvironeska: severe (" + std::to_string(number) + "): " + text + "\n";
}

void expect_failure(const e2e::RunResult& r, const std::string& line) {
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, line);
}

TEST(InputErrors, MissingGeneralDataFileIsCreatedEmpty) {
  e2e::CaseDir dir;
  expect_failure(dir.run(),
                 error_line(24, "end-of-file during read, unit 5, file " + dir.full_path(e2e::kGeneralDataFile)));
  EXPECT_EQ(dir.read(e2e::kGeneralDataFile), "");
}

TEST(InputErrors, MissingCaseParameterFileIsCreatedEmpty) {
  e2e::CaseDir dir;
  dir.write(e2e::kGeneralDataFile, "'  novo caso.txt '\n");
  expect_failure(dir.run(), error_line(24, "end-of-file during read, unit 6, file " + dir.full_path("novo caso.txt")));
  EXPECT_EQ(dir.read("novo caso.txt"), "");
}

TEST(InputErrors, UnassignedParameterFileNameCreatesNothing) {
  e2e::CaseDir dir;
  dir.write(e2e::kGeneralDataFile, ",,\n");
  expect_failure(dir.run(), error_line(43, "file name specification error, unit 6, file " + dir.full_path("")));
}

TEST(InputErrors, SyntaxErrorInAnyOfTheTwelveValues) {
  const std::string long_text(2050, 'x');
  // clang-format off
  std::string e2e::CaseFiles::*fields[] = {
      &e2e::CaseFiles::original, &e2e::CaseFiles::ti, &e2e::CaseFiles::tf, &e2e::CaseFiles::Fcor,
      &e2e::CaseFiles::M, &e2e::CaseFiles::w, &e2e::CaseFiles::nmax, &e2e::CaseFiles::time_origin_option,
      &e2e::CaseFiles::plot_option, &e2e::CaseFiles::curve_listing_option, &e2e::CaseFiles::case_name,
      &e2e::CaseFiles::title};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    const bool text = i == 0 || i >= 10;
    files.*fields[i] = text ? long_text : "1x";
    dir.write_valid_case(files);
    expect_failure(dir.run(), error_line(59, "list-directed I/O syntax error, unit 6, file " + dir.full_path("caso.txt")));
    EXPECT_FALSE(dir.exists("ensaio7_saida_A.txt")) << i;
  }
}

TEST(InputErrors, ThrustDataFile) {
  static const struct {
    const char* name;
    std::string thrust_data;  // empty: no file
    int number;
    const char* text;
  } cases[] = {
      {"missing", "", 24, "end-of-file during read"},
      {"ends inside the window", "0.0 0\n0.1 1\n0.2 2\n0.3 3\n0.5 5\n0.54 5\n", 24, "end-of-file during read"},
      {"header line", "tempo empuxo\n0.0 0\n", 59, "list-directed I/O syntax error"},
      {"unit letter", "0.0 0N\n", 59, "list-directed I/O syntax error"},
      {"overflow", "0.0 1e999\n", 64, "input conversion error"},
  };
  // clang-format on
  for (const auto& c : cases) {
    e2e::CaseDir dir;
    dir.write_valid_case();
    if (c.thrust_data.empty())
      dir.remove("empuxo.dat");
    else
      dir.write("empuxo.dat", c.thrust_data);
    expect_failure(dir.run(),
                   error_line(c.number, std::string(c.text) + ", unit 8, file " + dir.full_path("empuxo.dat")));
    EXPECT_TRUE(dir.exists("empuxo.dat")) << c.name;
    EXPECT_FALSE(dir.exists("ensaio7_saida_A.txt")) << c.name;
    EXPECT_FALSE(dir.exists("ensaio7_saida_B.txt")) << c.name;
  }
}

TEST(InputErrors, NonPositiveRateStopsBeforeTheThrustDataFile) {
  for (const char* w : {"0", "-5"}) {
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.w = w;
    dir.write_valid_case(files);
    dir.remove("empuxo.dat");
    expect_failure(dir.run(), error_line(64, std::string("acquisition frequency w = ") + w +
                                                 " must be positive, unit 6, file " + dir.full_path("caso.txt")));
    EXPECT_FALSE(dir.exists("empuxo.dat")) << w;
  }
}

TEST(InputErrors, ArraySizeAndPointLimits) {
  static const struct {
    const char* nmax;
    std::string line;
  } cases[] = {
      {"536870912", "talvironeska: severe (179): Cannot allocate array - overflow on array size calculation.\n"},
      {"4", ""},  // five points in the window
      {"0", ""},
  };
  for (const auto& c : cases) {
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.nmax = c.nmax;
    dir.write_valid_case(files);
    const e2e::RunResult r = dir.run();
    const std::string expected =
        c.line.empty()
            ? error_line(408, std::string("more than ") + c.nmax +
                                  " points inside the time window (nmax), unit 8, file " + dir.full_path("empuxo.dat"))
            : c.line;
    expect_failure(r, expected);
    EXPECT_FALSE(dir.exists("ensaio7_saida_A.txt")) << c.nmax;
  }
}

}  // namespace
