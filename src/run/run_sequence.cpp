#include "run/run_sequence.h"

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/general_data.h"
#include "input/thrust_data.h"
#include "output/curve_data.h"
#include "output/plot_script.h"
#include "output/summary_report.h"
#include "run/input_editing.h"
#include "run/output_guard.h"
#include "run/result_viewing.h"

void run(RunContext& rc) {
  // Each input file is read only after the editor opened on it has been closed.
  edit_general_data(rc);
  read_general_data(rc);
  edit_case_params(rc);
  read_case_params(rc);
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  read_thrust_data(rc);
  compute_integral_figures(rc);
  classify(rc);
  check_outputs_are_not_inputs(rc);
  write_summary_report(rc);
  write_curve_data(rc);
  write_plot_script(rc);
  launch_plot_viewer(rc);
  view_results(rc);
}
