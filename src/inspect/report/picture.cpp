#include "inspect/report/picture.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "inspect/common/gnuplot_run.h"
#include "output/gnuplot_text.h"

namespace fs = std::filesystem;

namespace {

void add_point(std::string& out, double t, double F) {
  char line[80];
  char* end = std::to_chars(line, line + 36, t).ptr;
  *end++ = ' ';
  end = std::to_chars(end, line + sizeof line - 1, F).ptr;
  *end++ = '\n';
  out.append(line, end);
}

std::string number(double x) {
  char text[40];
  return std::string(text, std::to_chars(text, text + sizeof text, x).ptr);
}

// A vertical line at X and its key entry.
void add_line(std::string& s, int n, double x, const char* color, const char* dash) {
  s += "set arrow " + std::to_string(n) + " from " + number(x) + ", graph 0 to " + number(x) +
       ", graph 1 nohead front lw 1.5 lc rgb '" + color + "' dt " + dash + "\n";
}

std::string gnuplot_quoted(std::string_view text) {
  std::string quoted = "'";
  quoted += gnuplot_text(text);
  quoted += '\'';
  return quoted;
}

std::string read_whole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A new, empty folder for gnuplot's files.
fs::path new_work_folder() {
  std::random_device random;
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error) return {};
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path dir = base / ("talvironeska-relatorio-" + std::to_string(random()));
    if (fs::create_directory(dir, error)) return dir;
  }
  return {};
}

}  // namespace

std::string page_plot_data(std::span<const double> t, std::span<const double> F, double from, double to) {
  const std::size_t first = static_cast<std::size_t>(std::lower_bound(t.begin(), t.end(), from) - t.begin());
  const std::size_t end = static_cast<std::size_t>(std::upper_bound(t.begin(), t.end(), to) - t.begin());
  std::string out;
  if (end <= first) return out;
  const std::size_t count = end - first;
  if (count <= kPagePlotPoints) {
    for (std::size_t i = first; i < end; ++i) add_point(out, t[i], F[i]);
    return out;
  }
  const std::size_t runs = kPagePlotPoints / 2;
  const std::size_t run = (count + runs - 1) / runs;
  for (std::size_t begin = first; begin < end; begin += run) {
    const auto part = F.subspan(begin, std::min(run, end - begin));
    const auto [low, high] = std::minmax_element(part.begin(), part.end());
    const std::size_t a = begin + static_cast<std::size_t>(std::min(low, high) - part.begin());
    const std::size_t b = begin + static_cast<std::size_t>(std::max(low, high) - part.begin());
    add_point(out, t[a], F[a]);
    if (b != a) add_point(out, t[b], F[b]);
  }
  return out;
}

std::string page_plot_script(const PlotMarks& m, const std::string& data, const std::string& svg_name,
                             const std::string& png_name) {
  std::string s = "set encoding utf8\nset decimalsign ','\n";
  s += "set xlabel 't (s)'\nset ylabel 'F (N)'\nset grid\nset key below horizontal maxcols 3\n";
  // Room above the curve for the box of figures.
  s += "set offsets 0, 0, graph 0.35, 0\n";
  s += "set xrange [" + number(m.from) + ":" + number(m.to) + "]\n";
  if (m.ti && m.tf) {
    s += "set object 1 rect from " + number(*m.ti) + ", graph 0 to " + number(*m.tf) +
         ", graph 1 fc rgb '#e3ecf7' fs solid 1.0 noborder behind\n";
  }
  add_line(s, 1, m.ignition, "#c0392b", "3");
  add_line(s, 2, m.start, "#27803b", "2");
  add_line(s, 3, m.end, "#27803b", "2");
  std::string box;
  for (const std::string& line : m.box) box += (box.empty() ? "" : ".\"\\n\".") + gnuplot_quoted(line);
  if (!box.empty()) {
    s += "set style textbox opaque border lc rgb '#555555'\n";
    s += "set label 1 " + box + " at graph 0.98, graph 0.95 right front boxed\n";
  }
  const std::string curve = "'./" + data + "' using 1:2 with lines lw 1.5 lc rgb '#1f4e99' title 'empuxo'";
  const std::string keys =
      ", NaN with lines lc rgb '#c0392b' dt 3 title 'igni\xC3\xA7\xC3\xA3o'"
      ", NaN with lines lc rgb '#27803b' dt 2 title 'in\xC3\xAD"
      "cio e fim da queima (5 % do pico)'"
      ", '-' using 1:2 with points pt 7 ps 1.2 lc rgb '#000000' title 'pico'" +
      std::string(m.ti ? ", NaN with boxes fs solid 1.0 fc rgb '#e3ecf7' title 'janela do caso'" : "") + "\n" +
      number(m.peak_time) + " " + number(m.peak) + "\ne\n";
  s += std::string(kPageSvgTerminal) + "\n";
  s += "set output '" + svg_name + "'\nplot " + curve + keys;
  s += "set terminal pngcairo size 1500,900 noenhanced font 'sans,18' background '#ffffff'\n";
  s += "set output '" + png_name + "'\nplot " + curve + keys + "set output\n";
  return s;
}

std::string inline_svg(const std::string& text) {
  const std::size_t begin = text.find("<svg");
  const std::size_t end = text.rfind("</svg>");
  if (begin == std::string::npos || end == std::string::npos || end < begin) return "";
  std::string svg = text.substr(begin, end + 6 - begin);
  for (const char* space : {" xmlns=\"http://www.w3.org/2000/svg\"", " xmlns:xlink=\"http://www.w3.org/1999/xlink\""}) {
    const std::size_t at = svg.find(space);
    if (at != std::string::npos) svg.erase(at, std::char_traits<char>::length(space));
  }
  // gnuplot's svg terminal writes a script only with "mouse", which this
  // script never sets; a page must hold none all the same.
  if (svg.find("<script") != std::string::npos || svg.find("http") != std::string::npos) return "";
  return svg;
}

bool run_gnuplot_apart(const std::vector<std::pair<std::string, std::string>>& inputs, const std::string& script,
                       const std::vector<std::string>& outputs, std::vector<std::string>* made, std::string* problem) {
  const fs::path dir = new_work_folder();
  if (dir.empty()) {
    *problem = "não foi possível criar uma pasta temporária para o gnuplot";
    return false;
  }
  for (const auto& [name, bytes] : inputs) {
    std::ofstream file(dir / name, std::ios::binary);
    file << bytes;
  }
  const int status = run_gnuplot(dir, script);
  made->clear();
  for (const std::string& name : outputs) made->push_back(read_whole(dir / name));
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  if (status == -1) {
    *problem = "o gnuplot não foi encontrado";
  } else if (status != 0 || std::any_of(made->begin(), made->end(), [](const std::string& b) { return b.empty(); })) {
    *problem = "o gnuplot não desenhou o gráfico (saída " + std::to_string(status) + ")";
  }
  return problem->empty();
}

PagePicture draw_page_picture(std::span<const double> t, std::span<const double> F, const PlotMarks& marks) {
  PagePicture picture;
  std::vector<std::string> made;
  const bool drawn =
      run_gnuplot_apart({{"curva.dat", page_plot_data(t, F, marks.from, marks.to)},
                         {"pagina.gnu", page_plot_script(marks, "curva.dat", "grafico.svg", "grafico.png")}},
                        "pagina.gnu", {"grafico.svg", "grafico.png"}, &made, &picture.problem);
  if (!drawn) return picture;
  picture.svg = inline_svg(made[0]);
  picture.png = std::move(made[1]);
  if (picture.svg.empty()) {
    picture.problem = "o gnuplot não desenhou o gráfico";
    picture.png.clear();
  }
  return picture;
}
