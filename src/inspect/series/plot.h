// The series picture: a gnuplot script, kept for the user to restyle, and
// the data file it draws, every curve from its 5 % rise and the mean curve.
#ifndef TALVIRONESKA_INSPECT_SERIES_PLOT_H_
#define TALVIRONESKA_INSPECT_SERIES_PLOT_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/engine/engine_curve.h"
#include "inspect/series/firing.h"

struct PlotFiles {
  std::string data;  // names as the script shows them, relative to its folder
  std::string png;
  std::string script;
  // The terminal line: the PNG kept beside the script, else the page's SVG.
  std::string terminal = "set terminal pngcairo size 1200,720 noenhanced";
  // The script's text: Windows-1252 for the script kept, UTF-8 for the page.
  bool utf8 = false;
};

// The most points of one curve that the picture gets: a few thousand draw
// any curve at its width, where millions take gnuplot minutes and gigabytes.
inline constexpr std::size_t kPicturePoints = 4000;

// The curves, one block each, the mean curve, then the REFERENCE curve
// when there is one (times from ignition, from (0, 0)); blocks apart by two
// empty lines (gnuplot's "index"), decimal point, LF; kPicturePoints at
// most a curve.
std::string plot_data_text(std::span<const Firing> firings, const Curve& mean, const Curve& reference = {});

// The script, Windows-1252 with CR LF (UTF-8 with files.utf8). Every text from the firings goes in
// as a quoted string and every file name as a quoted relative path starting
// with "./", so none of them can become a gnuplot command or a pipe.
// REFERENCE names the reference curve's block in the key; empty when there is none.
std::string plot_script_text(std::span<const Firing> firings, std::string_view designation, const PlotFiles& files,
                             std::string_view reference = {});

// TEXT between apostrophes for gnuplot, made safe by gnuplot_text().
std::string gnuplot_quoted(std::string_view text);

#endif  // TALVIRONESKA_INSPECT_SERIES_PLOT_H_
