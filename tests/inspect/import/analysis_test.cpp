#include "inspect/import/analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "../../support/program_steps.h"
#include "../../support/temp_dir.h"

namespace {

using CaseFiguresTest = TempDirTest;

// The program's own steps on the thrust data file NAME over VALUES, times
// counted from ti: its figures, or none when it stops with an error.
bool program_figures_on(const std::string& name, const CaseValues& values, ProgramFigures* figures) {
  RunContext rc;
  static_cast<CaseValues&>(rc) = values;
  rc.time_origin_option = 0;
  name_thrust_file(rc, name);
  if (run_program_steps(rc) != 0) return false;
  *figures = program_figures(rc);
  return true;
}

// The figures of the case as it is written are the program's own on the
// thrust data file, for a grid over uneven stamps and for the records as
// they are, over windows its reading ends in or not (the file ends inside
// the window, more points than nmax). The records given up on the way are
// spoilt here: neither the writing nor the figures may read them.
TEST_F(CaseFiguresTest, TheFiguresAreTheProgramsOnTheFileWritten) {
  Records records;
  for (int k = 0; k <= 100000; ++k) {
    const double t = k / 10000.0 + (k % 3) * 2e-5;
    records.t.push_back(t);
    records.F.push_back(t > 3.0 && t < 7.0 ? 40.0 * std::sin((t - 3.0) * 0.785398) + 1e-3 * k : 0.01 * (k % 7));
  }
  const struct {
    std::int32_t w;
    CaseValues values;
    bool read;
  } cases[] = {
      {10000, {3.0, 7.0, 0.0, 0.25, 10000, 45000}, true},
      {10000, {2.5, 9.9, 0.0, 0.25, 10000, 80000}, true},
      {0, {3.0, 7.0, 0.0, 0.25, 10000, 45000}, true},
      {10000, {3.0, 10.0, 0.0, 0.25, 10000, 90000}, false},  // no point after tf
      {0, {3.0, 7.0, 0.0, 0.25, 10000, 30000}, false},       // 40001 points for 30000
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "w " << c.w << ", tf " << c.values.tf << ", nmax " << c.values.nmax);
    Records copy = records;
    const WrittenCurve curve{copy.t, copy.F, c.w};
    CaseReplay replay;
    ASSERT_TRUE(start_replay(c.values, &replay));
    const PointsWritten follow = replay_as_written(replay, curve, copy);
    std::size_t spoilt = 0;
    const PointsWritten spoiling = [&](std::size_t first, std::size_t count) {
      const std::size_t gone = follow(first, count);
      for (; spoilt < gone; ++spoilt) copy.t[spoilt] = copy.F[spoilt] = std::nan("");
      return gone;
    };
    ImportedCase written;
    written.case_name = "e1";
    written.w = c.w;
    CaseDraft draft;
    std::string problem;
    ASSERT_TRUE(draft_case("caso", written, curve, spoiling, true, "registro.csv", &draft, &problem)) << problem;
    EXPECT_GT(spoilt, 90000u);
    std::string lines;
    const WrittenCurve unspoilt{records.t, records.F, c.w};
    append_thrust_lines(unspoilt, 0, unspoilt.size(), &lines);
    EXPECT_TRUE(read_file(drafted_thrust_data(draft)) == lines);
    ProgramFigures expected;
    ASSERT_EQ(program_figures_on(drafted_thrust_data(draft), c.values, &expected), c.read);
    ProgramFigures figures;
    ASSERT_EQ(replay_figures(replay, &figures), c.read);
    if (!c.read) continue;
    EXPECT_EQ(figures.It, expected.It);
    EXPECT_EQ(figures.Fmax, expected.Fmax);
    EXPECT_EQ(figures.tmax, expected.tmax);
    EXPECT_EQ(figures.tq, expected.tq);
    EXPECT_EQ(figures.nc, expected.nc);
    EXPECT_EQ(figures.classe, expected.classe);
    EXPECT_GT(figures.nc, 35000);
  }
}

}  // namespace
