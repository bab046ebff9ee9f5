#include "inspect/check/command.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "core/run_context.h"
#include "core/trimmed.h"
#include "input/general_data.h"
#include "inspect/calibration/cal_file.h"
#include "inspect/check/inspection.h"
#include "inspect/check/options.h"
#include "inspect/common/console.h"
#include "inspect/common/native_name.h"
#include "inspect/common/outcome.h"
#include "inspect/common/same_file.h"
#include "inspect/common/shown_text.h"
#include "inspect/common/text.h"
#include "inspect/engine/comparison.h"
#include "inspect/engine/engine_file.h"
#include "inspect/engine/engine_options.h"
#include "inspect/engine/engine_reading.h"
#include "inspect/json/firing.h"
#include "inspect/json/output.h"
#include "inspect/program/case_files.h"
#include "inspect/program/line_hint.h"
#include "inspect/program/plot_script_check.h"
#include "inspect/program/thrust_records.h"
#include "io/severe_error.h"
#include "io/unit.h"

namespace fs = std::filesystem;

namespace {

constexpr char kJsonCommand[] = "check";

// Input the program is certain to fail on before any figure, in the
// inspector's words.
struct Unusable {
  std::string message;
};

// NAME, read from READ_FROM as the name of WHAT, when it holds bytes that a
// user does not see: a warning when a file has that very name; else the
// program would open it, leave an empty file of that name there and stop at
// its first read.
void check_name(std::string_view name, const std::string& what, std::string_view read_from, InspectInput& input) {
  const std::string bytes = invisible_bytes(name);
  if (bytes.empty()) return;
  // The name as its bytes are, each one that is not text shown by its value.
  const std::string said = "o nome do " + what + " lido de " + console_name(read_from) + ", \"" + std::string(name) +
                           "\", tem bytes invisíveis: " + bytes;
  std::error_code error;
  if (fs::exists(path_of_name(name), error)) {
    input.name_notes.push_back(said);
    return;
  }
  throw Unusable{said + "; o programa abriria esse nome, deixaria lá um arquivo vazio com ele e pararia com o erro 24"};
}

// The general data file and the case parameter file, read as the run reads
// them once the user has closed the editor. A missing file is reported, not
// created.
void read_case(RunContext& rc, InspectInput& input) {
  try {
    read_case_files(rc);
  } catch (const SevereError& error) {
    const std::string_view name = trimmed(rc.parameter_file_name);
    if (error.number() == kErrFileNotFound && name.find('\0') == std::string_view::npos) {
      check_name(name, "arquivo de parâmetros", kGeneralDataFileName, input);
    }
    throw;
  }
  input.case_name = std::string(trimmed(rc.parameter_file_name));
  check_name(input.case_name, "arquivo de parâmetros", kGeneralDataFileName, input);
  input.case_values = static_cast<const CaseValues&>(rc);
  input.thrust_name = std::string(trimmed(rc.original));
  check_name(input.thrust_name, "arquivo de empuxo", input.case_name, input);
  const std::string_view outputs = trimmed(rc.case_name);
  const std::string bytes = invisible_bytes(outputs);
  if (!bytes.empty()) {
    input.name_notes.push_back("o nome do caso lido de " + console_name(input.case_name) + ", \"" +
                               std::string(outputs) +
                               "\", que dá nome aos arquivos de saída, tem bytes invisíveis: " + bytes);
  }
  input.case_files = files_of_case(rc);
  for (std::string& note : plot_script_notes()) input.name_notes.push_back(std::move(note));
  for (std::string& note : outputs_over_inputs(rc)) input.name_notes.push_back(std::move(note));
}

// With one thrust data file given, the files of the case in the current
// directory are the user's all the same: those whose names can be read.
std::vector<fs::path> files_of_case_here() {
  RunContext rc;
  try {
    read_case_files(rc);
  } catch (const SevereError&) {  // the names read before the error
  }
  return files_of_case(rc);
}

// An unusable input: MESSAGE on the standard error, and the error document
// with CODE where --json asks for it.
int fail(const JsonRun& json, const char* code, const std::string& message) {
  ::fail(message);
  return json_error(json, code, message);
}

// The engine files asked for, each named by its option's value.
std::vector<std::string> engine_files(const Options& options) {
  std::vector<std::string> files;
  for (const std::string* file : {&options.eng_file, &options.rse_file}) {
    if (!file->empty()) files.push_back(*file);
  }
  return files;
}

// Why no engine file may be written: one would go over a file of the case
// or the reference curve, or both are one file. Empty when they may be written.
std::string engine_files_problem(const Options& options, const InspectInput& input) {
  std::vector<fs::path> written;
  const fs::path reference = path_of_name(options.reference_file);
  for (const std::string& name : engine_files(options)) {
    const fs::path path = path_of_name(name);
    if (!options.reference_file.empty() && same_file_among(path, std::span(&reference, 1)) != nullptr) {
      return console_name(name) + " é a curva de referência: não será sobrescrita";
    }
    if (const fs::path* file = same_file_among(path, input.case_files)) {
      return console_name(name) + " é um arquivo do caso (" + console_name(name_of_path(*file)) +
             "): não será sobrescrito";
    }
    if (same_file_among(path, written) != nullptr) return "--eng e --rse são o mesmo arquivo, " + console_name(name);
    written.push_back(path);
  }
  return "";
}

int write_engine_files(const Options& options, const InspectInput& input, const InspectResult& result,
                       const JsonRun& json) {
  constexpr char kCode[] = "eng-not-written";
  std::string none = "nenhum arquivo de motor escrito";
  if (!result.firing.burn) return fail(json, kCode, "sem queima, " + none);
  std::string problem = engine_files_problem(options, input);
  if (!problem.empty()) return fail(json, kCode, problem);
  const auto points = reduce_curve(result.burn_polyline);
  if (!curve_finite(points)) {
    return fail(json, kCode, "a curva da queima tem valores infinitos ou que não são números: " + none);
  }
  const double M = input.case_values ? input.case_values->M : 0.0;
  EngineMotor motor = requested_motor(options, result.firing.burn_class.designation, M);
  problem = engine_motor_problem(motor);
  if (!problem.empty()) {
    const bool case_mass = !options.propellant_mass && motor.propellant_mass == M;
    return fail(json, kCode,
                (case_mass ? "com o M do caso como massa de propelente, " : "") + problem +
                    (case_mass ? " (dê --massa-propelente KG)" : "") + ": " + none);
  }
  const PrintedCurve curve = printed_curve(points);
  motor.comment = std::string(kInspectName) + ": " +
                  printable_line(input.thrust_name, std::numeric_limits<std::size_t>::max()) +
                  ", w = " + std::to_string(result.w) + " Hz, impulso " + fixed(curve.It, 3) + " N s";
  const struct {
    const std::string& name;
    std::string text;
  } files[] = {{options.eng_file, options.eng_file.empty() ? "" : eng_text(motor, curve)},
               {options.rse_file, options.rse_file.empty() ? "" : rse_text(motor, curve)}};
  std::string written;
  for (const auto& file : files) {
    if (file.name.empty()) continue;
    if (!write_output_file(file.name, file.text)) {
      return fail(json, kCode, "erro ao escrever " + console_name(file.name) + ": " + none);
    }
    written += (written.empty() ? "" : " e ") + console_name(file.name);
  }
  put("Curva de " + std::to_string(curve.points.size()) + " pontos escrita em " + written + "\n", report_stream(json));
  return kStatusFits;
}

// The burn against REFERENCE, when there is one, printed after the report.
std::optional<CurveComparison> compared(const std::optional<PublishedMotor>& reference, const InspectResult& result,
                                        const Options& options, const JsonRun& json) {
  if (!reference || result.burn_polyline.empty()) return std::nullopt;
  CurveComparison c = compare_curves(from_ignition(result.burn_polyline), reference->points, reference->designation);
  put(comparison_text(c, console_name(options.reference_file)), report_stream(json));
  return c;
}

// The check's document: its one firing, with the program's figures on the
// case's window when there is a case, and its comparison with a reference.
std::string check_document(const InspectInput& input, const InspectResult& result, const Options& options,
                           const CurveComparison* reference) {
  JsonWriter json;
  open_json_document(json, kJsonCommand);
  json_key(json, "firings");
  json_open_array(json);
  const std::string source = console_name(input.thrust_name);
  FiringJsonContext context{source, std::nullopt, std::nullopt, result.uncertainty ? &*result.uncertainty : nullptr};
  if (input.case_values && result.in_case) {
    context.program =
        ProgramWindow{input.case_values->ti, input.case_values->tf, *result.in_case, input.case_values->M};
  }
  const std::string reference_source = console_name(options.reference_file);
  if (reference == nullptr) {
    put_firing_json(json, result.firing, context);
  } else {
    const ReferenceJson compared{reference_source, *reference};
    put_firing_json(json, result.firing, context, &compared);
  }
  json_close_array(json);
  json_close_object(json);
  return std::move(json.text);
}

// The calibration for the budget: --calibracao's, else the case's copy
// beside its parameter file when there is one. A given file that cannot be
// read stops the check; a copy that cannot is a warning, and the budget goes
// on without it.
int read_calibration(const Options& options, const RunContext& rc, InspectInput& input, const JsonRun& json) {
  std::string name = options.calibration_file;
  const bool copy = name.empty();
  if (copy && options.thrust_file.empty() && !trimmed(rc.case_name).empty()) {
    name = std::string(trimmed(rc.case_name)) + kCalibrationSuffix;
    std::error_code error;
    if (!fs::is_regular_file(path_of_name(name), error)) return kStatusFits;
  }
  if (name.empty()) return kStatusFits;
  Calibration calibration;
  std::string text;
  std::string problem;
  if (read_cal_file(name, &calibration, &text, &problem)) {
    input.uncertainty.calibration = calibration;
  } else if (copy) {
    input.name_notes.push_back(problem + ": a incerteza segue sem a calibração");
  } else {
    return fail(json, "unreadable-calibration", problem);
  }
  input.case_files.push_back(fs::absolute(path_of_name(name)));
  return kStatusFits;
}

}  // namespace

int read_check_input(const Options& options, InspectInput& input, const JsonRun& json) {
  try {
    static RunContext rc;
    if (options.thrust_file.empty()) {
      read_case(rc, input);
    } else {
      input.thrust_name = options.thrust_file;
      input.rate = options.rate;
      if (!engine_files(options).empty() || !options.json_file.empty()) input.case_files = files_of_case_here();
      input.case_files.push_back(fs::absolute(path_of_name(input.thrust_name)));
    }
    if (!engine_files(options).empty() && !options.propellant_mass && !input.case_values) {
      return fail(json, "usage",
                  std::string(options.eng_file.empty() ? "--rse" : "--eng") +
                      " pede a massa de propelente (--massa-propelente KG) quando não há caso (veja --help)");
    }
    input.rc = &rc;
    input.source.name = input.thrust_name;
    input.release_records = true;
    input.want_eng = !engine_files(options).empty() || !options.reference_file.empty();
    input.choice.from = options.from;
    input.choice.to = options.to;
    input.choice.event = static_cast<std::size_t>(options.event);
    input.choice.inverted = options.inverted;
    static_cast<StandFigures&>(input.uncertainty) = options;
    input.uncertainty.propellant_mass = options.propellant_mass;
    if (!options.propellant_mass && input.case_values && input.case_values->M > 0.0) {
      input.uncertainty.propellant_mass = input.case_values->M;
    }
    if (const int status = read_calibration(options, rc, input, json); status != kStatusFits) return status;
    input.file = read_thrust_source(input.source, kUnitThrustData);
  } catch (const SevereError& error) {
    return json_severe(json, error);
  } catch (const Unusable& unusable) {
    return fail(json, "invisible-name", unusable.message);
  }
  return kStatusFits;
}

int check_main(const Invocation& call) {
  Options options;
  std::string problem;
  const CommandLine line = read_command_line(kCheckCommandLine, call.args, &options, &problem);
  // A refused command line's document is written over none of its words, nor the case's files here.
  const std::vector<fs::path> here = json_target_in(call.args).empty() ? std::vector<fs::path>{} : files_of_case_here();
  if (const auto status = settled_with_json(line, call, problem, kJsonCommand, here)) return *status;
  if (options.version) {
    put(std::string(kInspectName) + " " + kInspectVersion + "\n", stdout);
    return kStatusFits;
  }
  InspectInput input;
  // Until the input is read, what the command line names and the case here
  // are all kept from an error document.
  JsonRun json{kJsonCommand, options.json_file, paths_in(call.args)};
  if (!json.target.empty()) {
    for (const fs::path& file : files_of_case_here()) json.kept.push_back(file);
  }
  std::optional<PublishedMotor> reference;
  if (!options.reference_file.empty()) {
    json.kept.push_back(fs::absolute(path_of_name(options.reference_file)));
    if (!read_published_motor(options.reference_file, &reference.emplace(), &problem)) {
      return fail(json, "reference-unreadable", problem);
    }
  }
  if (const int status = read_check_input(options, input, json); status != kStatusFits) return status;
  json.kept.insert(json.kept.end(), input.case_files.begin(), input.case_files.end());
  for (const std::string& name : engine_files(options)) json.kept.push_back(fs::absolute(path_of_name(name)));
  problem = json_target_problem(json);
  if (!problem.empty()) return fail(problem);
  InspectResult result;
  try {
    result = inspect(input);
  } catch (const SevereError& error) {
    return json_severe(json, error);
  }
  put(result.report, report_stream(json));
  // Before any file is opened for writing: with the standard output closed,
  // that file would take its place and the report would go into it.
  if (after_report(kStatusFits) != kStatusFits) {
    return json_error(json, "report-lost", "erro ao escrever o relatório na saída padrão");
  }
  if (result.status == kStatusUnusable) {
    put(result.error, stderr);
    return json_error(json, result.error_code, result.error_text);
  }
  if (!engine_files(options).empty()) {
    const int status = write_engine_files(options, input, result, json);
    if (status != kStatusFits) return status;
  }
  const std::optional<CurveComparison> comparison = compared(reference, result, options, json);
  const CurveComparison* compared_with = comparison ? &*comparison : nullptr;
  return finish_with_json(json, json.target.empty() ? "" : check_document(input, result, options, compared_with),
                          result.status);
}
