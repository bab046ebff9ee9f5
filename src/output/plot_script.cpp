#include "output/plot_script.h"

#include <string>

#include "core/output_names.h"
#include "core/trimmed.h"
#include "io/severe_error.h"
#include "io/unit.h"
#include "output/gnuplot_text.h"

void write_plot_script(RunContext& rc) {
  if (rc.plot_option != 1) return;
  Unit unit(kUnitPlotScript, kPlotScriptName, OpenMode::read_write);
  bool had_line_end = true;
  for (int i = 0; i < 6; ++i) {
    if (!unit.pass_line(&had_line_end)) unit.fail(kErrEndOfFile);
  }
  std::string text;
  if (!had_line_end) text += "\r\n";
  text += "set title '";
  text += gnuplot_text(trimmed(rc.title));
  text += "'\r\n";
  // The same name as the curve data file's: gnuplot plots this run's curve.
  text += "plot '";
  text += gnuplot_file_name(curve_file_name(rc));
  text += "' using 1:2 notitle\r\n";
  unit.write(text);
  unit.close();
}
