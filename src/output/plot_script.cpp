#include "output/plot_script.h"

#include <string>

#include "io/severe_error.h"
#include "io/unit.h"
#include "core/trimmed.h"

namespace {

// TEXT for between apostrophes in a gnuplot command: an apostrophe is written
// twice, gnuplot's own escape there; nothing else has a meaning inside them.
void append_gnuplot_text(std::string& out, std::string_view text) {
  for (const char ch : text) {
    if (ch == '\'') out += '\'';
    out += ch;
  }
}

// A data file name that gnuplot reads as something else, a command to run
// ("<cmd") or a data block ("$name"), gets "./" before it and names the file.
void append_gnuplot_file_name(std::string& out, std::string_view name) {
  if (!name.empty() && (name.front() == '<' || name.front() == '$')) out += "./";
  append_gnuplot_text(out, name);
}

}  // namespace

void write_plot_script(RunContext& rc) {
  if (rc.plot_option != 1) return;
  Unit unit(kUnitPlotScript, kPlotScriptName, OpenMode::read_write);
  std::string_view line;
  bool had_line_end = true;
  for (int i = 0; i < 6; ++i) {
    if (!unit.next_line(&line, &had_line_end)) unit.fail(kErrEndOfFile);
  }
  std::string text;
  if (!had_line_end) text += "\r\n";
  text += "set title '";
  append_gnuplot_text(text, trimmed(rc.title));
  text += "'\r\n";
  // The same name as the curve data file's: gnuplot plots this run's curve.
  std::string curve_file(trimmed(rc.case_name));
  curve_file += "_saida_B.txt";
  text += "plot '";
  append_gnuplot_file_name(text, curve_file);
  text += "' using 1:2 notitle\r\n";
  unit.write(text);
  unit.close();
}
