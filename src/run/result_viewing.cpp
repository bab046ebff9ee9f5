#include "run/result_viewing.h"

#include <string>

#include "output/plot_script.h"
#include "run/launcher.h"
#include "core/trimmed.h"

namespace {

void view(std::string_view name, std::string_view suffix) {
  std::string file(name);
  file += suffix;
  launch("Notepad " + command_word(file));
}

}  // namespace

void launch_plot_viewer(const RunContext& rc) {
  if (rc.plot_option == 1) launch("Wgnuplot " + std::string(kPlotScriptName));
}

void view_results(const RunContext& rc) {
  view(trimmed(rc.case_name), "_saida_A.txt");
  if (rc.curve_listing_option == 1) view(trimmed(rc.case_name), "_saida_B.txt");
}
