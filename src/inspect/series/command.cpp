#include "inspect/series/command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <system_error>

#include "input/list_reader.h"
#include "inspect/common/code_page.h"
#include "inspect/common/console.h"
#include "inspect/common/gnuplot_run.h"
#include "inspect/common/native_name.h"
#include "inspect/common/outcome.h"
#include "inspect/common/same_file.h"
#include "inspect/common/text.h"
#include "inspect/engine/comparison.h"
#include "inspect/engine/engine_file.h"
#include "inspect/engine/engine_options.h"
#include "inspect/engine/engine_reading.h"
#include "inspect/json/output.h"
#include "inspect/json/series.h"
#include "inspect/report/picture.h"
#include "inspect/series/mean_curve.h"
#include "inspect/series/options.h"
#include "inspect/series/page.h"
#include "inspect/series/plot.h"
#include "inspect/series/report.h"
#include "inspect/series/series.h"
#include "io/severe_error.h"
#include "io/unit.h"
#include "io/whole_file.h"

namespace fs = std::filesystem;

namespace {

constexpr char kJsonCommand[] = "series";
constexpr double kEngImpulseTolerance = 0.005;

// The units under which write errors name the series' files.
enum SeriesUnit : int {
  kUnitSeriesReport = 40,
  kUnitSeriesCsv,
  kUnitSeriesEng,
  kUnitSeriesPlotData,
  kUnitSeriesPlotScript,
  kUnitSeriesRse,
};

// Fixed names: the script reaches them by name, and none of them can be read
// by gnuplot as anything but a file.
constexpr char kReportName[] = "serie.txt";
constexpr char kCsvName[] = "serie.csv";
constexpr char kEngName[] = "serie.eng";
constexpr char kPlotDataName[] = "serie_curvas.dat";
constexpr char kPlotScriptName[] = "serie.gnu";
constexpr char kPngName[] = "serie.png";
constexpr char kPageName[] = "serie.html";

// MESSAGE on the standard error, and the error document with CODE where
// --json asks for it.
int fail(const JsonRun& json, const char* code, const std::string& message) {
  ::fail(message);
  return json_error(json, code, message);
}

std::string lf_lines(std::string_view crlf) {
  std::string text;
  text.reserve(crlf.size());
  for (char c : crlf) {
    if (c != '\r') text += c;
  }
  return text;
}

struct OutputFile {
  int unit;
  fs::path path;
  std::string bytes;
};

// The firing whose file PATH is, or nullptr: compared by what the names
// point at, so a link or another spelling of a case's file is found too.
const Firing* owner_of(const fs::path& path, std::span<const Firing> firings) {
  for (const Firing& f : firings) {
    if (same_file_among(path, f.files) != nullptr) return &f;
  }
  return nullptr;
}

void write_file(const OutputFile& file) {
  Unit unit(file.unit, name_of_path(file.path), OpenMode::write);
  unit.write(file.bytes);
  unit.close();
}

// --referencia's curve and the mean curve against it.
struct SeriesReference {
  PublishedMotor motor;
  std::string source;  // the file's name as the reports show it
  std::optional<CurveComparison> comparison;
};

struct MeanEngineCurve {
  Curve mean;       // on the finest step of the series, times from the 5 % rise
  Curve burn;       // the mean from ignition, after the implicit (0, 0)
  Curve points;     // the engine file's points
  double It = 0.0;  // their impulse
  double M = 0.0;   // kg, the mean of the known propellant masses
};

MeanEngineCurve mean_engine_curve(std::span<const Firing> firings) {
  MeanEngineCurve c;
  double step = INFINITY;
  std::vector<const Curve*> curves;
  std::size_t masses = 0;
  for (const Firing& f : firings) {
    step = std::min(step, f.curve_step);
    curves.push_back(&f.curve);
    if (f.values.M > 0.0) {
      c.M += f.values.M;
      ++masses;
    }
  }
  if (masses > 0) c.M /= static_cast<double>(masses);
  c.mean = mean_curve(curves, step);
  const Curve polyline = eng_polyline(c.mean, step);
  c.burn = from_ignition(polyline);
  c.points = reduce_curve(polyline);
  c.It = curve_impulse(c.points);
  return c;
}

// The engine files of the mean curve, added to *OUTPUTS, and what the
// report says of them; false with *PROBLEM when the motor's values cannot
// be written. Without the motor's sizes, none, and the report says what
// they need.
bool add_engine_files(const SeriesOptions& options, const MeanEngineCurve& eng, const std::string& designation,
                      std::vector<OutputFile>* outputs, MeanCurveNote* note, std::string* problem) {
  note->points = eng.points.size();
  note->It = eng.It;
  if (!series_writes_engine(options)) {
    note->file = std::string("nenhum: pede ") + kEngineSizeOptions;
    return true;
  }
  EngineMotor motor = requested_motor(options, designation, eng.M);
  *problem = engine_motor_problem(motor);
  if (!problem->empty()) {
    if (!options.propellant_mass) *problem += " (sem --massa-propelente, a média dos M dos ensaios)";
    return false;
  }
  const PrintedCurve curve = printed_curve(eng.points);
  note->points = curve.points.size();
  note->It = curve.It;
  motor.comment = std::string(kInspectName) + " serie: curva media, impulso " + fixed(curve.It, 3) + " N s";
  const fs::path eng_path =
      options.eng_file.empty() ? path_of_name(options.folder) / kEngName : path_of_name(options.eng_file);
  note->file = cp1252_from_utf8(name_of_path(eng_path));
  outputs->push_back({kUnitSeriesEng, eng_path, eng_text(motor, curve)});
  if (!options.rse_file.empty()) {
    const fs::path rse_path = path_of_name(options.rse_file);
    outputs->push_back({kUnitSeriesRse, rse_path, rse_text(motor, curve)});
    note->file += " e " + cp1252_from_utf8(name_of_path(rse_path));
  }
  return true;
}

// --referencia's curve into *REFERENCE, when given; false with *PROBLEM
// when it cannot be taken.
bool read_reference(const SeriesOptions& options, SeriesReference* reference, std::string* problem) {
  reference->source = console_name(options.reference_file);
  if (options.reference_file.empty() || read_published_motor(options.reference_file, &reference->motor, problem)) {
    return true;
  }
  *problem += "; nenhum arquivo escrito";
  return false;
}

// The reference curve's name in the picture's key; empty without one.
std::string reference_key(const SeriesReference& reference) {
  return reference.comparison ? cp1252_from_utf8(reference.motor.designation) : "";
}

// What the series' files are made of.
struct SeriesResults {
  std::span<const Firing> firings;
  const SeriesSummary& summary;
  const MeanEngineCurve& eng;
  const SeriesReference& reference;
};

// The files of the series, in the order they are written, into *OUTPUTS,
// and what the report says of the engine files; false with *PROBLEM as
// add_engine_files.
bool add_outputs(const SeriesOptions& options, const SeriesResults& r, std::vector<OutputFile>* outputs,
                 MeanCurveNote* note, std::string* problem) {
  std::vector<OutputFile> engine;
  if (!add_engine_files(options, r.eng, r.summary.designation, &engine, note, problem)) return false;
  std::string report = series_report_text(r.firings, r.summary, *note);
  if (r.reference.comparison) {
    for (char c : cp1252_from_utf8(comparison_text(*r.reference.comparison, r.reference.source))) {
      if (c == '\n') report += '\r';
      report += c;
    }
  }
  const fs::path folder = path_of_name(options.folder);
  const PlotFiles plot{kPlotDataName, kPngName, kPlotScriptName};
  const Curve& reference = r.reference.motor.points;
  outputs->push_back({kUnitSeriesReport, folder / kReportName, report});
  outputs->push_back({kUnitSeriesCsv, folder / kCsvName, series_csv_text(r.firings, options.dialect)});
  outputs->insert(outputs->end(), engine.begin(), engine.end());
  outputs->push_back({kUnitSeriesPlotData, folder / kPlotDataName, plot_data_text(r.firings, r.eng.mean, reference)});
  outputs->push_back({kUnitSeriesPlotScript, folder / kPlotScriptName,
                      plot_script_text(r.firings, r.summary.designation, plot, reference_key(r.reference))});
  return true;
}

// The files of OUTPUTS written under one of UNITS.
std::vector<OutputFile> outputs_of(const std::vector<OutputFile>& outputs, std::initializer_list<int> units) {
  std::vector<OutputFile> found;
  for (const OutputFile& out : outputs) {
    if (std::find(units.begin(), units.end(), out.unit) != units.end()) found.push_back(out);
  }
  return found;
}

// Why one of the files to be WRITTEN must not be written: it is a firing's
// file, or two of them are one file. Empty when all may be written.
std::string overwrite_problem(const std::vector<fs::path>& written, std::span<const Firing> firings,
                              const std::string& reference) {
  const fs::path reference_path = path_of_name(reference);
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (!reference.empty() && same_file_among(written[i], std::span(&reference_path, 1)) != nullptr) {
      return console_name(name_of_path(written[i])) + " é a curva de referência: não será sobrescrita";
    }
    if (const Firing* f = owner_of(written[i], firings)) {
      return console_name(name_of_path(written[i])) + " é um arquivo do ensaio " + console_name(f->argument) +
             ": não será sobrescrito";
    }
    if (const fs::path* earlier = same_file_among(written[i], std::span(written).first(i))) {
      return console_name(name_of_path(written[i])) + " é também " + console_name(name_of_path(earlier->filename()));
    }
  }
  return "";
}

// Two arguments that name one log (the same path, another spelling of it, a
// link): one firing counted twice would pass the checks on itself. Empty
// when every firing has a log of its own.
std::string repeated_firing(std::span<const Firing> firings) {
  for (std::size_t i = 1; i < firings.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (same_file_among(firings[i].log, std::span(&firings[j].log, 1)) != nullptr) {
        return "os ensaios " + console_name(firings[j].argument) + " e " + console_name(firings[i].argument) +
               " são o mesmo registro: um ensaio conta uma vez só";
      }
    }
  }
  return "";
}

// What the analysis of each firing's log warns of, and a case's calibration
// copy that could not be read, named by its number and argument.
void put_firing_warnings(std::span<const Firing> firings, std::FILE* stream) {
  for (std::size_t i = 0; i < firings.size(); ++i) {
    const std::string which =
        "AVISO: ensaio " + std::to_string(i + 1) + " (" + console_name(firings[i].argument) + "): ";
    for (const FiringWarning& w : firings[i].analysis.warnings) put(which + w.text + "\n", stream);
    if (!firings[i].calibration_note.empty()) {
      put(which + firings[i].calibration_note + ": a incerteza segue sem a calibração\n", stream);
    }
  }
}

// Draws the picture from the script in FOLDER; false, with a warning on the
// console, when gnuplot cannot be started or fails.
bool draw_picture(const fs::path& folder, std::FILE* report) {
  // An old picture must not pass for this run's.
  std::error_code error;
  fs::remove(folder / kPngName, error);
  const int status = run_gnuplot(folder, kPlotScriptName);
  if (status == 0 && fs::exists(folder / kPngName, error)) return true;
  put(status < 0 ? "AVISO: o gnuplot não pôde ser iniciado: " + console_name(name_of_path(folder / kPngName)) +
                       " não foi desenhado\n"
                 : "AVISO: o gnuplot terminou com o estado " + std::to_string(status) + "\n",
      report);
  return false;
}

// Writes serie.html in FOLDER, its overlay drawn apart as SVG from the same
// data and script; false, with a warning on the console, when the page could
// not be written. Without gnuplot the page holds the tables and says so.
bool write_series_page(const fs::path& folder, std::span<const Firing> firings, const SeriesSummary& summary,
                       const SeriesReference& reference, const std::string& plot_data,
                       const std::vector<OutputFile>& engine, bool png_drawn, std::FILE* report) {
  SeriesPage page{firings, &summary, "", "", {}, cp1252_from_utf8(reference.source), reference.comparison};
  const PlotFiles svg_files{kPlotDataName, "serie.svg", "serie_pagina.gnu", kPageSvgTerminal, true};
  std::vector<std::string> made;
  if (run_gnuplot_apart(
          {{kPlotDataName, plot_data},
           {svg_files.script, plot_script_text(firings, summary.designation, svg_files, reference_key(reference))}},
          svg_files.script, {svg_files.png}, &made, &page.no_plot)) {
    page.svg = inline_svg(made[0]);
  }
  if (page.svg.empty()) {
    page.no_plot +=
        ". Instale o gnuplot (no Debian: sudo apt install gnuplot; no Windows: o gnuplot para Windows, "
        "com a sua pasta bin no PATH) e rode a s\xC3\xA9rie de novo.";
  }
  page.links.push_back({kReportName, "o relat\xC3\xB3rio da s\xC3\xA9rie"});
  page.links.push_back({kCsvName, "a tabela para a planilha"});
  for (const OutputFile& file : engine) {
    if (file.path.parent_path() != folder) continue;
    page.links.push_back({cp1252_from_utf8(name_of_path(file.path.filename())),
                          "a curva m\xC3\xA9"
                          "dia no formato de motor"});
  }
  if (png_drawn)
    page.links.push_back({kPngName,
                          "o gr\xC3\xA1"
                          "fico em PNG, para o editor de texto"});
  if (write_whole_file(name_of_path(folder / kPageName), series_page_html(page))) return true;
  put("AVISO: " + console_name(name_of_path(folder / kPageName)) +
          " n\xC3\xA3o p\xC3\xB4"
          "de ser escrito\n",
      report);
  return false;
}

// The files in the folder ARGUMENT names, when it names one.
void add_folder_files(const std::string& argument, std::vector<fs::path>* files) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(path_of_name(argument), error)) {
    files->push_back(fs::absolute(entry.path(), error));
  }
}

// Reads every firing of OPTIONS into *FIRINGS, their files kept in JSON's
// list: the error code, with *PROBLEM, of the first that cannot be read;
// null when all are read.
const char* read_firings(const SeriesOptions& options, JsonRun& json, std::vector<Firing>* firings,
                         std::string* problem) {
  const FiringOptions firing_options{options.rate, options.M, options.inverted, options};
  for (std::size_t i = 0; i < firings->size(); ++i) {
    Firing& firing = (*firings)[i];
    const bool read = read_firing(options.firings[i], firing_options, &firing, problem);
    json.kept.insert(json.kept.end(), firing.files.begin(), firing.files.end());
    if (!read) {
      // The files of the firings not read are not all known: every file in a case's folder is kept.
      for (const std::string& argument : options.firings) add_folder_files(argument, &json.kept);
      return firing.analysis.inverted ? "inverted-cell" : "unusable-firing";
    }
  }
  return nullptr;
}

}  // namespace

int series_main(const Invocation& call) {
  SeriesOptions options;
  std::string problem;
  const CommandLine line = read_command_line(kSeriesCommandLine, call.args, &options, &problem);
  if (const auto status = settled_with_json(line, call, problem, kJsonCommand)) return *status;

  JsonRun json{kJsonCommand, options.json_file, paths_in(call.args)};
  SeriesReference reference;
  if (!read_reference(options, &reference, &problem)) return fail(json, "reference-unreadable", problem);
  if (!options.reference_file.empty()) json.kept.push_back(fs::absolute(path_of_name(options.reference_file)));
  std::vector<Firing> firings(options.firings.size());
  if (const char* code = read_firings(options, json, &firings, &problem)) {
    return fail(json, code, problem + "; nenhum arquivo escrito");
  }
  problem = repeated_firing(firings);
  if (!problem.empty()) return fail(json, "repeated-firing", problem + "; nenhum arquivo escrito");
  put_firing_warnings(firings, report_stream(json));
  const SeriesSummary summary = summarize(firings);
  const MeanEngineCurve eng = mean_engine_curve(firings);
  if (!options.reference_file.empty()) {
    reference.comparison = compare_curves(eng.burn, reference.motor.points, reference.motor.designation);
  }

  const fs::path folder = path_of_name(options.folder);
  if (!curve_finite(eng.points)) {
    return fail(json, "non-finite-curve",
                "a curva média tem valores infinitos ou que não são números; nenhum arquivo escrito");
  }
  std::vector<OutputFile> outputs;
  MeanCurveNote note;
  if (!add_outputs(options, {firings, summary, eng, reference}, &outputs, &note, &problem)) {
    return fail(json, "eng-not-written", problem + "; nenhum arquivo escrito");
  }
  // The engine files and the curves' data, for the page.
  const std::vector<OutputFile> engine = outputs_of(outputs, {kUnitSeriesEng, kUnitSeriesRse});
  const std::string plot_data = outputs_of(outputs, {kUnitSeriesPlotData}).front().bytes;
  std::vector<fs::path> written;
  for (const OutputFile& out : outputs) written.push_back(out.path);
  written.push_back(folder / kPngName);
  written.push_back(folder / kPageName);
  if (json.target != kJsonToStandardOutput && !json.target.empty()) written.push_back(path_of_name(json.target));
  problem = overwrite_problem(written, firings, options.reference_file);
  if (!problem.empty()) return fail(json, "would-overwrite", problem + "; nenhum arquivo escrito");

  try {
    std::error_code error;
    fs::create_directories(folder, error);
    for (const OutputFile& out : outputs) write_file(out);
  } catch (const SevereError& error) {
    return json_severe(json, error);
  }

  std::FILE* const text = report_stream(json);
  put(utf8_from_cp1252(lf_lines(outputs.front().bytes)) + "\n", text);
  int status = summary.certification.passed() ? kStatusFits : kStatusWarnings;
  if (!(std::fabs(note.It - summary.It.mean) <= kEngImpulseTolerance * std::fabs(summary.It.mean))) {
    put("AVISO: o impulso da curva média difere da média de It em mais de 0,5 %\n", text);
    status = kStatusWarnings;
  }
  const bool drawn = draw_picture(folder, text);
  if (!drawn) status = kStatusWarnings;
  if (!write_series_page(folder, firings, summary, reference, plot_data, engine, drawn, text)) status = kStatusWarnings;
  put("Arquivos escritos em " + console_name(name_of_path(folder)) + ": " + kReportName + ", " + kCsvName + ", " +
          kPlotDataName + ", " + kPlotScriptName + (drawn ? std::string(", ") + kPngName : std::string()) + ", " +
          kPageName +
          (engine.empty() ? std::string("; nenhum arquivo de motor: pede ") + kEngineSizeOptions
                          : "; curva média em " + utf8_from_cp1252(note.file)) +
          "\n",
      text);
  return finish_with_json(
      json, json.target.empty() ? "" : series_document(firings, summary, reference.source, reference.comparison),
      status);
}
