#include "inspect/import/analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/thrust_data.h"
#include "inspect/common/text.h"
#include "io/severe_error.h"

#include "../../support/temp_dir.h"

namespace {

using CaseFiguresTest = TempDirTest;

// The program's own steps on the thrust data file "dados.dat" over VALUES,
// times counted from ti: its figures, or none when it stops with an error.
bool program_figures_on(const CaseValues& values, ProgramFigures* figures) {
  RunContext rc;
  static_cast<CaseValues&>(rc) = values;
  rc.time_origin_option = 0;
  const std::string name = "dados.dat";
  rc.original.fill(' ');
  std::copy(name.begin(), name.end(), rc.original.begin());
  try {
    allocate_curve_arrays(rc);
    compute_parameter_figures(rc);
    read_thrust_data(rc);
    compute_integral_figures(rc);
    classify(rc);
  } catch (const SevereError&) {
    return false;
  }
  *figures = program_figures(rc);
  return true;
}

// The figures of the case written are the program's on it, from a short
// name in the folder or a long one anywhere; a window the program's reading
// would not end (the file ends inside it, more points than nmax) gives none.
TEST_F(CaseFiguresTest, TheFiguresAreTheProgramsOnTheFileWritten) {
  std::string text;
  for (int k = 0; k <= 400; ++k) {
    const double t = k / 100.0;
    const double F = t > 1.0 && t < 3.0 ? 40.0 * std::sin((t - 1.0) * 1.5707963) + 0.125 * k : 0.0;
    text += shortest(t) + " " + shortest(F) + "\r\n";
  }
  write_file("dados.dat", text);
  const std::string deep = std::string(60, 'p') + "/dados.dat.importar-tmp";
  std::filesystem::create_directory(std::string(60, 'p'));
  write_file(deep, text);
  const struct {
    CaseValues values;
    bool read;
  } cases[] = {
      {{1.0, 3.0, 0.0, 0.25, 100, 220}, true},
      {{0.5, 3.99, 0.0, 0.25, 100, 400}, true},
      {{1.0, 4.0, 0.0, 0.25, 100, 400}, false},  // no record after tf
      {{1.0, 3.0, 0.0, 0.25, 100, 150}, false},  // 201 points for 150
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.values.tf);
    SCOPED_TRACE(c.values.nmax);
    ProgramFigures expected;
    ASSERT_EQ(program_figures_on(c.values, &expected), c.read);
    for (const std::string& name : {std::string("dados.dat"), deep}) {
      ProgramFigures figures;
      ASSERT_EQ(case_figures(name, c.values, &figures), c.read) << name;
      if (!c.read) continue;
      EXPECT_EQ(figures.It, expected.It);
      EXPECT_EQ(figures.Fmax, expected.Fmax);
      EXPECT_EQ(figures.tmax, expected.tmax);
      EXPECT_EQ(figures.tq, expected.tq);
      EXPECT_EQ(figures.nc, expected.nc);
      EXPECT_EQ(figures.classe, expected.classe);
      EXPECT_GT(figures.It, 0.0);
    }
  }
  ProgramFigures none;
  EXPECT_FALSE(case_figures("sumiu.dat", cases[0].values, &none));
  EXPECT_FALSE(std::filesystem::exists("sumiu.dat"));  // never made by the reading
}

}  // namespace
