// The plot script: a gnuplot command file whose first six lines are the
// user's settings; each run that asks for a plot rewrites what follows them.
#ifndef TALVIRONESKA_OUTPUT_PLOT_SCRIPT_H_
#define TALVIRONESKA_OUTPUT_PLOT_SCRIPT_H_

#include <string_view>

#include "core/run_context.h"

inline constexpr std::string_view kPlotScriptName = "talvironeska_2p1_curva_F-t.gnu";

// Does nothing unless the plot option is 1. Then opens the script on unit 18
// (created empty when missing), passes over six lines keeping their bytes,
// writes the title line and the plot line of this case (CR LF each) and ends
// the file there. A sixth line that ends the file without a line end gets a
// CR LF first, so the title starts a line of its own. Fewer than six lines
// end the run with error 24 on unit 18 and leave the file as it was.
// The title and the curve data file's name are gnuplot text, never code: an
// apostrophe in them is written twice, and a name that gnuplot would run as a
// command or take for a data block (a leading < or $) gets "./" before it.
void write_plot_script(RunContext& rc);

#endif  // TALVIRONESKA_OUTPUT_PLOT_SCRIPT_H_
