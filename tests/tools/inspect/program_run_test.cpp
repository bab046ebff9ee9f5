#include "tools/inspect/program_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_data.h"
#include "io/severe_error.h"
#include "../../support/temp_dir.h"

namespace {

class ProgramRunTest : public TempDirTest {
 protected:
  // The program's own steps on the file "dados.dat" holding TEXT; the
  // severe error number, or 0.
  static int program(const std::string& text, const CaseValues& v, RunContext& rc) {
    write_file("dados.dat", text);
    const std::string name = "dados.dat";
    rc.original.fill(' ');
    std::memcpy(rc.original.data(), name.data(), name.size());
    rc.parameter_file_name.fill(' ');
    rc.ti = v.ti;
    rc.tf = v.tf;
    rc.Fcor = v.Fcor;
    rc.M = v.M;
    rc.w = v.w;
    rc.nmax = v.nmax;
    try {
      allocate_curve_arrays(rc);
      compute_parameter_figures(rc);
      read_thrust_data(rc);
      compute_integral_figures(rc);
      classify(rc);
    } catch (const SevereError& error) {
      return error.number();
    }
    return 0;
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
  for (const auto& c : cases) {
    RunContext rc;
    const int error = program(text, c.v, rc);
    const ProgramRun run = run_program(read_thrust_text(text), c.v);
    EXPECT_EQ(error, c.error) << c.v.ti << " " << c.v.nmax;
    ASSERT_EQ(run.end, c.end) << c.v.ti << " " << c.v.nmax;
    if (c.end != ProgramEnd::past_window) continue;
    EXPECT_EQ(run.rc.nc, rc.nc);
    EXPECT_EQ(run.rc.It, rc.It);
    EXPECT_EQ(run.rc.Fmed, rc.Fmed);
    EXPECT_EQ(run.rc.Fmax, rc.Fmax);
    EXPECT_EQ(run.rc.tmax, rc.tmax);
    EXPECT_EQ(run.rc.Fmin, rc.Fmin);
    EXPECT_EQ(run.rc.classe, rc.classe);
    EXPECT_EQ(run.kept.size(), static_cast<std::size_t>(rc.nc));
  }
}

TEST_F(ProgramRunTest, StopsAtTheFirstUnreadableLine) {
  const ThrustFile file = read_thrust_text("0.0 0\n0.1 1\n0.2 2N\n0.3 3\n0.4 0\n0.5 0\n");
  const ProgramRun run = run_program(file, {0.1, 0.4, 0.0, 0.0, 10, 100});
  EXPECT_EQ(run.end, ProgramEnd::unreadable_line);
  const ProgramRun early = run_program(file, {0.0, 0.0, 0.0, 0.0, 10, 100});
  EXPECT_EQ(early.end, ProgramEnd::past_window);
  EXPECT_EQ(file.records[early.end_record].line, 2u);
}

TEST_F(ProgramRunTest, CountsTheWholeWindowWhenTheArraysAreFull) {
  const ThrustFile file = read_thrust_text("0.0 1\n0.1 1\n0.2 1\n0.3 1\n0.4 1\n");
  const ProgramRun run = run_program(file, {0.0, 0.2, 0.0, 0.0, 10, 1});
  EXPECT_EQ(run.end, ProgramEnd::arrays_full);
  EXPECT_EQ(run.inside, 3u);
}

TEST_F(ProgramRunTest, ATareLowersEveryThrustBeforeTheCutOff) {
  const ThrustFile file = read_thrust_text("0.0 3\n0.1 13\n0.2 13\n0.3 3\n0.4 3\n");
  const ProgramRun raw = run_program(file, {0.0, 0.3, 0.0, 0.0, 10, 100});
  const ProgramRun tared = run_program(file, {0.0, 0.3, 0.0, 0.0, 10, 100}, 3.0);
  EXPECT_NEAR(raw.rc.It, 0.8 + 1.3 + 0.8, 1e-12);
  EXPECT_NEAR(tared.rc.It, 0.5 + 1.0 + 0.5, 1e-12);
}

}  // namespace
