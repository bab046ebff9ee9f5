#include "run/result_viewing.h"

#include <string>

#include "core/output_names.h"
#include "output/plot_script.h"
#include "run/launcher.h"

namespace {

void view(const std::string& file) { launch("Notepad " + command_word(file)); }

}  // namespace

void launch_plot_viewer(const RunContext& rc) {
  if (rc.plot_option == 1) launch("Wgnuplot " + std::string(kPlotScriptName));
}

void view_results(const RunContext& rc) {
  view(report_file_name(rc));
  if (rc.curve_listing_option == 1) view(curve_file_name(rc));
}
