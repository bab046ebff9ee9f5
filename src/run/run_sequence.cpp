#include "run/run_sequence.h"

#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/general_data.h"
#include "input/thrust_data.h"

void run(RunContext& rc) {
  read_general_data(rc);
  read_case_params(rc);
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  read_thrust_data(rc);
  compute_integral_figures(rc);
  classify(rc);
}
