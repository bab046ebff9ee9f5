// Runs that end at an input file: the one error line, exit status 1, and
// which files the run created or left alone.
#include <gtest/gtest.h>

#include <map>
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

// A number written with a decimal comma would be read as two numbers: the
// run ends in a syntax error on its unit and writes nothing. A comma
// between numbers written with points, and a record of two integers, keep
// their meaning.
TEST(InputErrors, DecimalCommasEndInASyntaxErrorAndWriteNothing) {
  static const struct {
    const char* what;
    void (*edit)(e2e::CaseFiles& files);
    int unit;
  } runs[] = {
      {"ti", [](e2e::CaseFiles& f) { f.ti = "0,1     ti (s)"; }, 6},
      {"Fcor", [](e2e::CaseFiles& f) { f.Fcor = "-0,5"; }, 6},
      {"M after a repeat count", [](e2e::CaseFiles& f) { f.M = "2*0,010"; }, 6},
      {"w", [](e2e::CaseFiles& f) { f.w = "10,0"; }, 6},
      {"an option", [](e2e::CaseFiles& f) { f.plot_option = "1,0"; }, 6},
      {"every record", [](e2e::CaseFiles& f) { f.thrust_data = "0,0 0,0\n0,1 10,0\n0,2 20,0\n0,3 30,0\n"; }, 8},
      {"a record with an integer thrust",
       [](e2e::CaseFiles& f) { f.thrust_data = "0.0 0\n0.1 10\n0,2\t20\n0.3 30\n0.6 0\n"; }, 8},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.what);
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    run.edit(files);
    dir.write_valid_case(files);
    const std::map<std::string, std::string> before = dir.snapshot();
    const std::string file = run.unit == 6 ? "caso.txt" : "empuxo.dat";
    expect_failure(dir.run(), error_line(59, "list-directed I/O syntax error, unit " + std::to_string(run.unit) +
                                                 ", file " + dir.full_path(file)));
    EXPECT_TRUE(dir.snapshot() == before) << "files changed";
  }

  e2e::CaseDir plain, commas;
  e2e::CaseFiles files;
  plain.write_valid_case(files);
  files.thrust_data = "0.0,0.0\n0.1,10.0\n0.2, 20.0\n0.3 ,30.0\n0.4,20.0\n0.5,1E1\n1,0\n";
  commas.write_valid_case(files);
  ASSERT_EQ(plain.run().exit_status, 0);
  const e2e::RunResult r = commas.run();
  ASSERT_EQ(r.exit_status, 0) << r.err;
  for (const char* name : {"ensaio7_saida_A.txt", "ensaio7_saida_B.txt"}) {
    EXPECT_EQ(commas.read(name), plain.read(name)) << name;
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
