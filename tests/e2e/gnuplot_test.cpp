// The plot script the program writes, run by the real gnuplot: six lines of
// the user's that choose a PNG terminal, then the run's title and plot lines.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "png_check.h"

namespace {

TEST(Gnuplot, PlotScriptRendersTheCurveDataFileToPng) {
  e2e::CaseDir dir;
  e2e::CaseFiles files;
  files.plot_option = std::string("1");
  files.case_name = std::string("'teste 1'");  // a blank in the data file's name
  dir.write_valid_case(files);
  dir.write(e2e::kPlotScriptFile,
            "set terminal pngcairo size 640,480\r\nset output 'curva.png'\r\nset xlabel 't [s]'\r\n"
            "set ylabel 'F [N]'\r\nset grid\r\nset style data lines\r\n");
  const e2e::RunResult run = dir.run();
  ASSERT_EQ(run.exit_status, 0) << run.err;

  // The data ranges gnuplot saw show that the plot line read the curve data
  // file: 5 points, 0 to 0.4 s, 10 to 30 N.
  const e2e::RunResult plot =
      dir.run_program({"/usr/bin/env", "gnuplot", e2e::kPlotScriptFile, "-e",
                       "set print '-'; print GPVAL_DATA_X_MIN, GPVAL_DATA_X_MAX, GPVAL_DATA_Y_MIN, GPVAL_DATA_Y_MAX"});
  ASSERT_EQ(plot.exit_status, 0) << "gnuplot (Debian: gnuplot-nox) failed:\n" << plot.err;
  EXPECT_EQ(plot.err, "");
  EXPECT_EQ(plot.out, "0.0 0.4 10.0 30.0\n");

  const std::string bytes = dir.read("curva.png");
  const e2e::PngInfo png = e2e::png_info(bytes);
  EXPECT_TRUE(png.valid);
  EXPECT_EQ(png.width, 640u);
  EXPECT_EQ(png.height, 480u);
  EXPECT_TRUE(png.has_image_data);
  EXPECT_TRUE(png.has_end);
  // An empty 640x480 frame compresses to about 2 KB; axes, labels, grid and
  // the curve take several times that.
  EXPECT_GT(bytes.size(), 8000u);
}

// Titles and case names that would be gnuplot code written as they are: the
// script the run writes still plots the curve, and none of them runs.
TEST(Gnuplot, TitleAndCaseNameAreReadAsTextNotCode) {
  if (e2e::windows_run()) GTEST_SKIP() << "names that Windows files cannot hold; the script is the same bytes";
  static const struct {
    const char* title;  // as written in the case parameter file
    const char* case_name;
  } cases[] = {
      {"'x'' . system(''mkdir PWNED'') . '''", "'<mkdir PWNED;x'"},
      {"'It''s a test'", "'d''agua'' . system(''mkdir PWNED'') . '''"},
      {"'`mkdir PWNED`'", "'$dados'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.case_name);
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.plot_option = "1";
    files.title = c.title;
    files.case_name = c.case_name;
    dir.write_valid_case(files);
    dir.write(e2e::kPlotScriptFile, "set terminal png size 320,240\r\nset output 'curva.png'\r\n#\r\n#\r\n#\r\n#\r\n");
    const e2e::RunResult run = dir.run();
    ASSERT_EQ(run.exit_status, 0) << run.err;

    const e2e::RunResult plot = dir.run_program(
        {"/usr/bin/env", "gnuplot", e2e::kPlotScriptFile, "-e",
         "set print '-'; print GPVAL_DATA_X_MIN, GPVAL_DATA_X_MAX, GPVAL_DATA_Y_MIN, GPVAL_DATA_Y_MAX"});
    EXPECT_EQ(plot.exit_status, 0) << plot.err;
    EXPECT_EQ(plot.err, "");
    EXPECT_EQ(plot.out, "0.0 0.4 10.0 30.0\n");  // the curve data file was read
    EXPECT_TRUE(e2e::png_info(dir.read("curva.png")).valid);
    EXPECT_FALSE(dir.exists("PWNED"));
  }
}

}  // namespace
