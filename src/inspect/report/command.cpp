#include "inspect/report/command.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/output_names.h"
#include "core/trimmed.h"
#include "inspect/check/command.h"
#include "inspect/common/code_page.h"
#include "inspect/common/console.h"
#include "inspect/common/native_name.h"
#include "inspect/common/outcome.h"
#include "inspect/common/program_command.h"
#include "inspect/common/same_file.h"
#include "inspect/common/text.h"
#include "inspect/engine/comparison.h"
#include "inspect/engine/engine_reading.h"
#include "inspect/import/case_writer.h"
#include "inspect/program/case_files.h"
#include "inspect/report/details.h"
#include "inspect/report/html.h"
#include "inspect/report/options.h"
#include "inspect/report/page.h"
#include "inspect/report/picture.h"
#include "io/severe_error.h"
#include "io/whole_file.h"

namespace fs = std::filesystem;

namespace {

constexpr char kJsonCommand[] = "report";

std::string read_file(const std::string& name) {
  std::ifstream in(path_of_name(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The check's warnings, from its report's AVISO lines.
std::vector<std::string> warnings_of(const std::string& report) {
  std::vector<std::string> warnings;
  constexpr std::string_view kMark = "AVISO: ";
  for (std::size_t at = report.find(kMark); at != std::string::npos; at = report.find(kMark, at)) {
    at += kMark.size();
    warnings.push_back(report.substr(at, report.find('\n', at) - at));
  }
  return warnings;
}

// What the page says of the program's report: missing, older than a file of
// the case, or nothing when it is current.
std::string program_report_note(const RunContext& rc, const std::vector<fs::path>& inputs) {
  const std::string name = report_file_name(rc);
  std::error_code error;
  const fs::file_time_type made = fs::last_write_time(path_of_name(name), error);
  const std::string shown = console_name(name);
  const std::string how = "; rode o programa nesta pasta (" + program_command() + ") para t\xC3\xAA-lo.";
  if (error) return "O relat\xC3\xB3rio do programa, " + shown + ", n\xC3\xA3o existe" + how;
  for (const fs::path& input : inputs) {
    const fs::file_time_type changed = fs::last_write_time(input, error);
    if (!error && changed > made) {
      return "O relat\xC3\xB3rio do programa, " + shown + ", \xC3\xA9 mais antigo que " +
             console_name(name_of_path(input.filename())) + how;
    }
  }
  return "";
}

// The plot's marks: the burn, its peak as read, the case's window, the box.
PlotMarks plot_marks(const FiringAnalysis& a, const CaseValues& c, std::span<const double> t) {
  const Burn& b = *a.burn;
  PlotMarks m;
  m.ignition = a.chosen ? a.scan.events[*a.chosen].start : b.start;
  m.start = b.start;
  m.end = b.end;
  m.peak_time = b.peak_time;
  m.peak = b.Fmax + b.zero;
  m.ti = c.ti;
  m.tf = c.tf;
  const double from = std::min({m.ignition, b.start, c.ti});
  const double to = std::max(b.end, c.tf);
  const double margin = std::max((to - from) * 0.15, 1e-3);
  m.from = std::max(from - margin, t.front());
  m.to = std::min(to + margin, t.back());
  m.box = {"Impulso total: " + page_number(b.It, 3) + " N\xC2\xB7s",
           "Empuxo m\xC3\xA9"
           "dio: " +
               page_number(b.Fmed, 3) + " N",
           "Empuxo m\xC3\xA1ximo: " + page_number(b.Fmax, 3) + " N",
           "Tempo de queima: " + page_number(b.duration, 4) + " s",
           "Designa\xC3\xA7\xC3\xA3o: " + (a.burn_class.designation.empty() ? "-" : a.burn_class.designation)};
  return m;
}

// The files of the case the page links to, those that are there.
std::vector<PageLink> page_links(const RunContext& rc) {
  const std::string name(trimmed(rc.case_name));
  std::vector<PageLink> links;
  const std::pair<std::string, const char*> candidates[] = {
      {report_file_name(rc), "o relat\xC3\xB3rio do programa"},
      {curve_file_name(rc), "a curva processada pelo programa (tempo, empuxo)"},
      {name + ".eng", "o arquivo de motor"},
      {name + ".rse", "o arquivo de motor (RSE)"}};
  for (const auto& [file, what] : candidates) {
    std::error_code error;
    if (fs::is_regular_file(path_of_name(file), error)) links.push_back({file, what});
  }
  return links;
}

// The page, its picture and its details, each whole or not at all, none
// over a file of the case: the exit status.
// A published curve the burn is compared with: its name as given, its path.
struct Reference {
  std::string name;
  fs::path path;
  std::optional<PublishedMotor> motor;
};

int write_page(const InspectInput& input, const InspectResult& result, std::span<const double> t,
               std::span<const double> F, const ReportDetails& given, const Reference& reference) {
  const RunContext& rc = *input.rc;
  const std::string name(trimmed(rc.case_name));
  const std::vector<std::string> own = {name + kReportPageSuffix, name + kReportPictureSuffix,
                                        name + kReportNotesSuffix};
  // The files of the case the page must never replace, under any name.
  std::vector<fs::path> inputs = program_files_of_case(rc);
  if (reference.motor) inputs.push_back(reference.path);
  for (const std::string& file : own) {
    if (const fs::path* same = same_file_among(path_of_name(file), inputs)) {
      return fail(console_name(file) + " \xC3\xA9 um arquivo do caso (" + console_name(name_of_path(*same)) +
                  "): n\xC3\xA3o ser\xC3\xA1 sobrescrito; nada foi escrito");
    }
  }
  ReportPage page;
  page.case_name = name;
  page.title = std::string(trimmed(rc.title));
  page.thrust_file = input.thrust_name;
  page.details = merge_report_details(read_report_details(read_file(own[2])), given);
  page.firing = &result.firing;
  if (result.uncertainty) page.uncertainty = &*result.uncertainty;
  if (result.in_case) page.program = ProgramWindow{rc.ti, rc.tf, *result.in_case};
  page.warnings = warnings_of(result.report);
  page.program_report_note = program_report_note(rc, inputs);
  page.links = page_links(rc);
  if (reference.motor && result.burn_polyline.size() > 1) {
    page.reference =
        compare_curves(from_ignition(result.burn_polyline), reference.motor->points, reference.motor->designation);
    page.reference_file = to_windows_1252(reference.name);
  }
  ImportedCase imported;
  imported.case_name = name;
  std::error_code error;
  if (fs::is_regular_file(path_of_name(calibration_file_name(imported)), error)) {
    page.calibration = calibration_file_name(imported);
  }
  const PagePicture picture = draw_page_picture(t, F, plot_marks(result.firing, rc, t));
  page.svg = picture.svg;
  if (!picture.problem.empty()) {
    page.no_plot = picture.problem +
                   ". Instale o gnuplot (no Debian: sudo apt install gnuplot; no Windows: o gnuplot para Windows, "
                   "com a sua pasta bin no PATH) e fa\xC3\xA7"
                   "a a p\xC3\xA1gina de novo.";
  } else {
    page.links.push_back({own[1],
                          "o gr\xC3\xA1"
                          "fico em PNG, para o editor de texto"});
  }
  const std::string html = report_page_html(page);
  const bool written = (picture.png.empty() || write_whole_file(own[1], picture.png)) &&
                       write_whole_file(own[2], report_details_text(page.details)) && write_whole_file(own[0], html);
  if (!written)
    return fail("erro ao escrever os arquivos da p\xC3\xA1gina em " + console_name(fs::current_path().string()));
  std::string text = "P\xC3\xA1gina escrita: " + console_name(own[0]) + "\n";
  if (!picture.png.empty())
    text +=
        "Gr\xC3\xA1"
        "fico em PNG: " +
        console_name(own[1]) + "\n";
  if (!picture.problem.empty())
    text +=
        "Sem gr\xC3\xA1"
        "fico: " +
        page.no_plot + "\n";
  text += "Abra a p\xC3\xA1gina no navegador; para um PDF, imprima-a em A4.\n";
  put(text, stdout);
  return result.status;
}

}  // namespace

int relatorio_main(const Invocation& call) {
  ReportOptions o;
  std::string problem;
  const CommandLine line = read_command_line(kReportCommandLine, call.args, &o, &problem);
  if (const auto status = settled(line, call, problem)) return *status;
  Reference reference{o.reference_file, {}, std::nullopt};
  if (!o.reference_file.empty()) {
    std::error_code error;
    reference.path = fs::absolute(path_of_name(o.reference_file), error);
    if (!read_published_motor(o.reference_file, &reference.motor.emplace(), &problem)) {
      return fail(problem + "; nada foi escrito");
    }
  }
  if (!o.folder.empty()) {
    std::error_code error;
    fs::current_path(path_of_name(o.folder), error);
    if (error)
      return fail(console_name(o.folder) + " n\xC3\xA3o \xC3\xA9 uma pasta que se possa abrir: " + error.message());
  }
  InspectInput input;
  const JsonRun json{kJsonCommand, "", {}};
  Options check;  // the check's defaults; with a reference, the burn's polyline is kept
  check.reference_file = o.reference_file;
  if (const int status = read_check_input(check, input, json); status != kStatusFits) return status;
  input.release_records = false;
  // The program's run takes the thrusts over: the plot keeps its own copy.
  const std::vector<double> thrusts(input.file.thrusts().begin(), input.file.thrusts().end());
  InspectResult result;
  try {
    result = inspect(input);
  } catch (const SevereError& error) {
    return fail_severe(error);
  }
  if (result.status == kStatusUnusable) {
    put(result.error, stderr);
    return kStatusUnusable;
  }
  if (!result.firing.burn) return fail("nenhuma queima no caso: nada foi escrito");
  return write_page(input, result, input.file.times(), thrusts, o.details, reference);
}
