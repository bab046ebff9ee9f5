#include "output/curve_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/severe_error.h"
#include "output/field.h"
#include "output/format.h"
#include "sample_doubles.h"
#include "support/temp_dir.h"

namespace {

template <std::size_t N>
void assign(TextField<N>& field, std::string_view text) {
  field.fill(' ');
  text.copy(field.data(), std::min(text.size(), N));
}

RunContext curve_run(std::int32_t time_origin_option) {
  RunContext rc;
  rc.ti = 0.1;
  rc.dt = 1.0 / 10;
  rc.time_origin_option = time_origin_option;
  assign(rc.case_name, "  teste1  ");
  assign(rc.title, "Motor de teste");
  rc.nc = 4;
  rc.F.reset(new double[4]{0.0, 4.0, 6.0, 1.0});
  return rc;
}

const std::string kHeader =
    "#\r\n"
    "#  Sa\xED"
    "da do programa TALVIRONESKA 2.1, vers\xE3o de 29 Set 2014\r\n"
    "#\r\n"
    "#  Caso   = teste1\r\n"
    "#\r\n"
    "#  T\xEDtulo = Motor de teste\r\n"
    "#\r\n"
    "#  t [s]       F [N]\r\n";

using CurveDataTest = TempDirTest;

TEST_F(CurveDataTest, TimesFromZeroUnlessTheOptionIsOne) {
  const std::string from_zero = kHeader +
                                "   0.0000000   0.000000E+00\r\n"
                                "   0.1000000   4.000000E+00\r\n"
                                "   0.2000000   6.000000E+00\r\n"
                                "   0.3000000   1.000000E+00\r\n";
  const std::string shifted = kHeader +
                              "   0.1000000   0.000000E+00\r\n"
                              "   0.2000000   4.000000E+00\r\n"
                              "   0.3000000   6.000000E+00\r\n"
                              "   0.4000000   1.000000E+00\r\n";
  static const struct {
    std::int32_t option;
    const std::string* expected;
  } cases[] = {{0, &from_zero}, {1, &shifted}, {2, &from_zero}, {-1, &from_zero}};
  for (const auto& c : cases) {
    const RunContext rc = curve_run(c.option);
    write_curve_data(rc);
    EXPECT_EQ(read_file("teste1_saida_B.txt"), *c.expected) << "option " << c.option;
  }
}

TEST_F(CurveDataTest, ShiftedTimesOnAFinerGrid) {
  RunContext rc = curve_run(1);
  rc.ti = 1.5;
  rc.dt = 1.0 / 1000;
  rc.nc = 3;
  rc.F.reset(new double[3]{12.5, -0.00125, 1e100});
  write_curve_data(rc);
  EXPECT_EQ(read_file("teste1_saida_B.txt"), kHeader +
                                                 "   1.5000000   1.250000E+01\r\n"
                                                 "   1.5010000  -1.250000E-03\r\n"
                                                 "   1.5020000   1.000000+100\r\n");
}

TEST_F(CurveDataTest, NoPointsGivesTheEightHeaderLines) {
  RunContext rc = curve_run(0);
  rc.nc = 0;
  write_curve_data(rc);
  EXPECT_EQ(read_file("teste1_saida_B.txt"), kHeader);
}

TEST_F(CurveDataTest, BlankTitleKeepsTheBlankAfterTheLabel) {
  RunContext rc = curve_run(0);
  assign(rc.title, "");
  rc.nc = 0;
  write_curve_data(rc);
  std::string expected = kHeader;
  expected.replace(expected.find("= Motor de teste"), 16, "= ");
  EXPECT_EQ(read_file("teste1_saida_B.txt"), expected);
}

TEST_F(CurveDataTest, RerunOverALongerOlderFileLeavesNoTail) {
  RunContext rc = curve_run(0);
  write_file("teste1_saida_B.txt", std::string(3 * 1024 * 1024, 'x'));
  write_curve_data(rc);
  EXPECT_EQ(read_file("teste1_saida_B.txt").size(), kHeader.size() + 4 * 29);
}

// Many blocks of lines: every line in place, none lost at a block's edge.
TEST_F(CurveDataTest, LongCurveIsWrittenWhole) {
  const std::int32_t n = 300000;
  RunContext rc = curve_run(1);
  rc.ti = 0.25;
  rc.dt = 1.0 / 44100;
  rc.nc = n;
  rc.F.reset(new double[n]);
  SampleDoubles sample(3);
  for (std::int32_t k = 0; k < n; ++k) rc.F[k] = k % 3 == 0 ? 0.0 : sample.log_uniform(-2, 4);
  write_curve_data(rc);
  const std::string bytes = read_file("teste1_saida_B.txt");
  ASSERT_EQ(bytes.size(), kHeader.size() + static_cast<std::size_t>(n) * 29);
  for (std::int32_t k = 0; k < n; k += 997) {
    const LayoutValue values[] = {static_cast<double>(k) * rc.dt + rc.ti, rc.F[k]};
    ASSERT_EQ(bytes.substr(kHeader.size() + static_cast<std::size_t>(k) * 29, 29), layout_text(kCurveLine, values))
        << "point " << k + 1;
  }
}

TEST_F(CurveDataTest, OpenFailureIsASevereErrorOnUnit20) {
  RunContext rc = curve_run(0);
  assign(rc.case_name, "no_such_dir/teste1");
  try {
    write_curve_data(rc);
    FAIL() << "no error";
  } catch (const SevereError& e) {
    EXPECT_EQ(e.number(), kErrFileName);
    EXPECT_EQ(e.text(), file_error_text(kErrFileName, 20, "no_such_dir/teste1_saida_B.txt"));
  }
}

// The unrolled data line against the layout walked item by item on the
// general path: times of sampled curves and thrusts of every kind.
TEST(CurveLine, SameBytesAsTheLayout) {
  SampleDoubles sample(11);
  const long count = static_cast<long>(400000 * sweep_scale());
  int failures = 0;
  for (long i = 0; i < count; ++i) {
    const double time = i % 8 == 0 ? sample.mixed(7) : sample.curve_time();
    const double thrust = i % 4 == 0 ? sample.mixed(6) : sample.log_uniform(-3, 5);
    char line[kCurveLineMax];
    const std::string got(line, format_curve_line(line, time, thrust));
    std::string want(kCurveLineMax, '?');
    write_fixed_field_exact(want.data(), time, 12, 7);
    write_exp_field_exact(want.data() + 12, thrust, 15, 6);
    want.replace(27, 2, "\r\n");
    if (got != want && ++failures <= 20) ADD_FAILURE() << time << " " << thrust << ": [" << got << "] [" << want << "]";
  }
  const LayoutValue values[] = {1.5, 12.5};
  char line[kCurveLineMax];
  EXPECT_EQ(std::string(line, format_curve_line(line, 1.5, 12.5)), layout_text(kCurveLine, values));
}

}  // namespace
