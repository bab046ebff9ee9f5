#include "inspect/series/plot.h"

#include <algorithm>
#include <charconv>

#include "inspect/common/code_page.h"
#include "output/gnuplot_text.h"

namespace {

void add_point(std::string& out, const Curve& c, std::size_t k) {
  char line[64];
  char* end = std::to_chars(line, line + 30, c.t[k]).ptr;
  *end++ = ' ';
  end = std::to_chars(end, line + sizeof line - 1, c.F[k]).ptr;
  *end++ = '\n';
  out.append(line, end);
}

// The points of CURVE that gnuplot draws: all of a short curve; of a long
// one, the lowest and the highest point of each run, in time order, so that
// no peak or dip is lost at the picture's width.
void add_curve(std::string& out, const Curve& curve) {
  if (curve.size() <= kPicturePoints) {
    for (std::size_t k = 0; k < curve.size(); ++k) add_point(out, curve, k);
    return;
  }
  const std::size_t runs = kPicturePoints / 2;
  const std::size_t run = (curve.size() + runs - 1) / runs;
  for (std::size_t first = 0; first < curve.size(); first += run) {
    const auto part = curve.F.begin() + static_cast<std::ptrdiff_t>(first);
    const auto [lowest, highest] =
        std::minmax_element(part, part + static_cast<std::ptrdiff_t>(std::min(run, curve.size() - first)));
    const auto low = static_cast<std::size_t>(lowest - curve.F.begin());
    const auto high = static_cast<std::size_t>(highest - curve.F.begin());
    add_point(out, curve, std::min(low, high));
    if (low != high) add_point(out, curve, std::max(low, high));
  }
}

std::string relative_path(std::string_view name) {
  std::string path = "./";
  path.append(name);
  return gnuplot_quoted(path);
}

}  // namespace

std::string gnuplot_quoted(std::string_view text) {
  std::string quoted = "'";
  quoted += gnuplot_text(text);
  quoted += '\'';
  return quoted;
}

std::string plot_data_text(std::span<const Firing> firings, const Curve& mean, const Curve& reference) {
  std::string out;
  out.reserve((firings.size() + 1) * (kPicturePoints * 24 + 32));
  for (std::size_t i = 0; i < firings.size(); ++i) {
    out += "# ensaio " + std::to_string(i + 1) + "\n";
    add_curve(out, firings[i].curve);
    out += "\n\n";
  }
  out += "# curva media\n";
  add_curve(out, mean);
  if (!reference.empty()) {
    out += "\n\n# curva de referencia\n0 0\n";
    add_curve(out, reference);
  }
  return out;
}

std::string plot_script_text(std::span<const Firing> firings, std::string_view designation, const PlotFiles& files,
                             std::string_view reference) {
  std::string s;
  const auto line = [&s](const std::string& text) { s += text + "\r\n"; };
  line("# S\xE9rie de ensaios, escrita por talvironeska-inspect serie. Mude o estilo \xE0 vontade e");
  line("# desenhe de novo com \"gnuplot " + files.script + "\" nesta pasta.");
  line(files.utf8 ? "set encoding utf8" : "set encoding cp1252");
  line(files.terminal);
  line("set output " + relative_path(files.png));
  line("set title " + gnuplot_quoted("S\xE9rie de " + std::to_string(firings.size()) +
                                     " ensaios, designa\xE7\xE3o pelas m\xE9"
                                     "dias " +
                                     std::string(designation)));
  line("set xlabel 't desde a igni\xE7\xE3o, 5 % do pico (s)'");
  line("set ylabel 'F (N)'");
  line("set grid");
  line("set key outside right top");
  s += "plot";
  for (std::size_t i = 0; i < firings.size(); ++i) {
    std::string title = "ensaio " + std::to_string(i + 1);
    title += ": ";
    title += firings[i].name;
    s += ' ';
    s += relative_path(files.data);
    s += " index " + std::to_string(i) + " using 1:2 with lines lw 1 title ";
    s += gnuplot_quoted(title);
    s += ", \\\r\n    ";
  }
  s += relative_path(files.data) + " index " + std::to_string(firings.size()) +
       " using 1:2 with lines lw 3 lc rgb 'black' title 'curva m\xE9"
       "dia'";
  if (!reference.empty()) {
    s += ", \\\r\n    " + relative_path(files.data) + " index " + std::to_string(firings.size() + 1) +
         " using 1:2 with lines lw 2 dt 2 lc rgb 'red' title " +
         gnuplot_quoted("refer\xEAncia: " + std::string(reference));
  }
  s += "\r\n";
  return files.utf8 ? utf8_from_cp1252(s) : s;
}
