#include "inspect/program/program_run.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_data.h"
#include "inspect/program/window.h"
#include "io/severe_error.h"

#include "../../support/program_steps.h"
#include "../../support/temp_dir.h"

namespace {

class ProgramRunTest : public TempDirTest {
 protected:
  // The program's own steps on the file "dados.dat" holding TEXT; the
  // severe error number, or 0.
  static int program(const std::string& text, const CaseValues& v, RunContext& rc) {
    write_file("dados.dat", text);
    name_thrust_file(rc, "dados.dat");
    rc.parameter_file_name.fill(' ');
    rc.ti = v.ti;
    rc.tf = v.tf;
    rc.Fcor = v.Fcor;
    rc.M = v.M;
    rc.w = v.w;
    rc.nmax = v.nmax;
    return run_program_steps(rc);
  }
};

TEST_F(ProgramRunTest, MatchesTheProgramsOwnRun) {
  // Irregular steps, a repeated stamp, a negative reading, a record split
  // over two lines and a third column: the window [0.1, 0.4] at 10 Hz.
  const std::string text = "0.0 -0.5\n0.1 0.0\n0.2 4.0 x\n0.2 5.0\n0.27\n6.0\n0.4 1.0\n0.5 0.2\n0.6 0\n";
  const struct {
    CaseValues v;
    ProgramEnd end;
    int error;
  } cases[] = {
      {{0.1, 0.4, 0.0, 0.002, 10, 100}, ProgramEnd::past_window, 0},
      {{0.1, 0.4, 0.5, 0.002, 10, 100}, ProgramEnd::past_window, 0},
      {{0.12, 0.38, 0.0, 0.002, 10, 100}, ProgramEnd::past_window, 0},
      {{0.1, 0.4, 0.0, 0.002, 10, 3}, ProgramEnd::arrays_full, kErrTooManyPoints},
      {{0.1, 0.6, 0.0, 0.002, 10, 100}, ProgramEnd::end_of_file, kErrEndOfFile},
      {{0.1, 0.4, 0.0, 0.002, 10, 536870912}, ProgramEnd::arrays_too_big, kErrArraySizeOverflow},
  };
  ThrustSource source;
  source.in_memory = true;
  source.text = text;
  const ThrustFile file = read_thrust_text(text);
  RunContext companion;  // one context, its arrays allocated once, for every run
  companion.nmax = 100;
  allocate_curve_arrays(companion);
  for (const auto& c : cases) {
    RunContext rc;
    const int error = program(text, c.v, rc);
    const WindowReading reading = read_window(file, c.v);
    EXPECT_EQ(error, c.error) << c.v.ti << " " << c.v.nmax;
    ASSERT_EQ(reading.end, c.end) << c.v.ti << " " << c.v.nmax;
    if (c.end != ProgramEnd::past_window) continue;
    ASSERT_TRUE(run_program(source, c.v, companion));
    EXPECT_EQ(companion.nc, rc.nc);
    EXPECT_EQ(reading.inside, static_cast<std::size_t>(rc.nc));
    EXPECT_EQ(companion.It, rc.It);
    EXPECT_EQ(companion.Fmed, rc.Fmed);
    EXPECT_EQ(companion.Fmax, rc.Fmax);
    EXPECT_EQ(companion.tmax, rc.tmax);
    EXPECT_EQ(companion.Fmin, rc.Fmin);
    EXPECT_EQ(companion.classe, rc.classe);
    EXPECT_EQ(reading.fixed_It, rc.It);
    // The same run on the records read before, in their own array.
    ThrustFile records = read_thrust_text(text);
    RunContext in_place;
    ASSERT_TRUE(run_program_on_records(records, c.v, in_place));
    EXPECT_EQ(in_place.nc, rc.nc);
    EXPECT_EQ(in_place.It, rc.It);
    EXPECT_EQ(in_place.tmax, rc.tmax);
    EXPECT_EQ(in_place.Fmin, rc.Fmin);
    EXPECT_EQ(in_place.classe, rc.classe);
    for (std::int32_t k = 0; k < rc.nc; ++k) EXPECT_EQ(in_place.F[k], rc.F[k]) << k;
  }
}

TEST_F(ProgramRunTest, StopsAtTheFirstUnreadableLine) {
  const ThrustFile file = read_thrust_text("0.0 0\n0.1 1\n0.2 2N\n0.3 3\n0.4 0\n0.5 0\n");
  EXPECT_EQ(read_window(file, {0.1, 0.4, 0.0, 0.0, 10, 100}).end, ProgramEnd::unreadable_line);
  const WindowReading early = read_window(file, {0.0, 0.0, 0.0, 0.0, 10, 100});
  EXPECT_EQ(early.end, ProgramEnd::past_window);
  EXPECT_EQ(file.line_of(early.end_record), 2u);
}

TEST_F(ProgramRunTest, CountsTheWholeWindowWhenTheArraysAreFull) {
  const ThrustFile file = read_thrust_text("0.0 1\n0.1 1\n0.2 1\n0.3 1\n0.4 1\n");
  const WindowReading r = read_window(file, {0.0, 0.2, 0.0, 0.0, 10, 1});
  EXPECT_EQ(r.end, ProgramEnd::arrays_full);
  EXPECT_EQ(r.inside, 3u);
}

TEST_F(ProgramRunTest, MeasuredStampsTareAndCutOff) {
  // Stamps 0.1 s apart but one of 0.2 s: the fixed step sees 0.1 s each.
  const ThrustFile file = read_thrust_text("0.0 3\n0.1 13\n0.3 13\n0.4 3\n0.5 3\n");
  const WindowReading r = read_window(file, {0.0, 0.4, 0.0, 0.0, 10, 100}, 3.0);
  EXPECT_NEAR(r.fixed_It, 0.8 + 1.3 + 0.8, 1e-6);
  EXPECT_NEAR(r.measured_It, 0.8 + 2.6 + 0.8, 1e-6);
  EXPECT_NEAR(r.tared_fixed_It, 0.5 + 1.0 + 0.5, 1e-6);
  const WindowReading cut = read_window(file, {0.0, 0.4, 5.0, 0.0, 10, 100});
  EXPECT_NEAR(cut.fixed_It, 0.9 + 1.3 + 0.9, 1e-6);
}

}  // namespace
