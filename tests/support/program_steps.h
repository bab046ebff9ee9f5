// The program's own steps of a run on a case set in a run context: the
// curve arrays, the parameter figures, the reading of the thrust data file
// named in rc.original, the integral figures and the class.
#ifndef TALVIRONESKA_TESTS_SUPPORT_PROGRAM_STEPS_H_
#define TALVIRONESKA_TESTS_SUPPORT_PROGRAM_STEPS_H_

#include <algorithm>
#include <string>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "core/run_context.h"
#include "input/thrust_data.h"
#include "io/severe_error.h"

// Sets RC's thrust data file name to NAME, as the case parameter file gives it.
inline void name_thrust_file(RunContext& rc, const std::string& name) {
  rc.original.fill(' ');
  std::copy(name.begin(), name.end(), rc.original.begin());
}

// Runs the steps on RC: the number of the severe error that stops them, or 0.
inline int run_program_steps(RunContext& rc) {
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

#endif  // TALVIRONESKA_TESTS_SUPPORT_PROGRAM_STEPS_H_
