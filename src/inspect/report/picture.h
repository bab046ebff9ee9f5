// The page's plot: the thrust curve with the burn's marks and a box of the
// main figures, drawn by gnuplot's svg terminal (for the page, inline) and
// its pngcairo one (for word processors) from a script of the companion's
// own, never from the case's plot script.
#ifndef TALVIRONESKA_INSPECT_REPORT_PICTURE_H_
#define TALVIRONESKA_INSPECT_REPORT_PICTURE_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// The most points of one curve that gnuplot gets.
inline constexpr std::size_t kPagePlotPoints = 5000;

// What the plot marks, in the log's own times (s) and thrusts (N).
struct PlotMarks {
  double from = 0.0;  // the part of the log drawn
  double to = 0.0;
  double ignition = 0.0;  // the start of the burn's event
  double start = 0.0;     // the 5 %-of-peak crossings
  double end = 0.0;
  double peak_time = 0.0;
  double peak = 0.0;         // N as read: the burn's zero added back
  std::optional<double> ti;  // the case's window, when it has one
  std::optional<double> tf;
  std::vector<std::string> box;  // the main figures, one line each (UTF-8, the companion's own text)
};

// The records of (T, F) within [FROM, TO] as gnuplot's data: all of them
// when they are few, else the lowest and the highest of each run, in time
// order, kPagePlotPoints at most, so that no peak is lost.
std::string page_plot_data(std::span<const double> t, std::span<const double> F, double from, double to);

// The script that draws DATA (a file name in gnuplot's folder) with MARKS
// as SVG_NAME and PNG_NAME there. No text from the case goes into it.
std::string page_plot_script(const PlotMarks& marks, const std::string& data, const std::string& svg_name,
                             const std::string& png_name);

// The <svg> element of gnuplot's SVG file TEXT for a page: its XML
// declaration and name spaces left out (an HTML page needs neither, and
// they name addresses); empty when TEXT holds no SVG or holds a script.
std::string inline_svg(const std::string& text);

struct PagePicture {
  std::string svg;      // for the page; empty when not drawn
  std::string png;      // its bytes
  std::string problem;  // why it was not drawn, in Portuguese
};

// Runs gnuplot on SCRIPT with the files INPUTS (name, bytes) in a new folder
// of its own under the system's temporary one, removed afterwards: the bytes
// of each file of OUTPUTS it made, in order. False with *PROBLEM, in
// Portuguese, when gnuplot is missing, fails or leaves an output empty.
bool run_gnuplot_apart(const std::vector<std::pair<std::string, std::string>>& inputs, const std::string& script,
                       const std::vector<std::string>& outputs, std::vector<std::string>* made, std::string* problem);

// The svg terminal of the pages: no "mouse" and no "jsdir", which would add
// a script and its address.
inline constexpr char kPageSvgTerminal[] =
    "set terminal svg size 900,560 noenhanced font 'sans,13' background '#ffffff'";

// Draws the plot with run_gnuplot_apart().
PagePicture draw_page_picture(std::span<const double> t, std::span<const double> F, const PlotMarks& marks);

#endif  // TALVIRONESKA_INSPECT_REPORT_PICTURE_H_
