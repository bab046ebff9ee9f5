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
#include "inspect/firing/eng_export.h"
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

// Removes PATH after a failed write when it is a plain file: the engine file
// must not stay cut short.
void remove_cut_file(const std::string& path) {
  std::error_code error;
  if (fs::is_regular_file(fs::symlink_status(path_of_name(path), error))) fs::remove(path_of_name(path), error);
}

// An unusable input: MESSAGE on the standard error, and the error document
// with CODE where --json asks for it.
int fail(const JsonRun& json, const char* code, const std::string& message) {
  ::fail(message);
  return json_error(json, code, message);
}

int write_eng(const Options& options, const InspectInput& input, const InspectResult& result, const JsonRun& json) {
  const std::string eng = console_name(options.eng_file);
  constexpr char kCode[] = "eng-not-written";
  if (!result.firing.burn) return fail(json, kCode, "sem queima, nenhum arquivo " + eng + " escrito");
  if (const fs::path* file = same_file_among(path_of_name(options.eng_file), input.case_files)) {
    return fail(json, kCode,
                eng + " é um arquivo do caso (" + console_name(name_of_path(*file)) + "): não será sobrescrito");
  }
  const auto points = reduce_curve(result.burn_polyline);
  EngHeader header;
  header.name = result.firing.burn_class.designation.empty() ? "motor" : result.firing.burn_class.designation;
  header.diameter = options.diameter;
  header.length = options.length;
  header.propellant_mass = options.propellant_mass ? *options.propellant_mass : input.case_values->M;
  header.total_mass = *options.total_mass;
  if (!options.propellant_mass && !(header.propellant_mass > 0.0 && header.propellant_mass <= header.total_mass)) {
    return fail(json, kCode,
                "o M do caso, " + shortest(header.propellant_mass) +
                    " kg, não serve de massa de propelente do motor: dê --massa-propelente KG; nenhum arquivo " + eng +
                    " escrito");
  }
  if (!eng_figures_finite(header, points)) {
    return fail(json, kCode,
                "a curva da queima tem valores infinitos ou que não são números: nenhum arquivo " + eng + " escrito");
  }
  header.comment = std::string(kInspectName) + ": " +
                   printable_line(input.thrust_name, std::numeric_limits<std::size_t>::max()) +
                   ", w = " + std::to_string(result.w) + " Hz, impulso " + fixed(curve_impulse(points), 3) + " N s";
  const std::string text = eng_text(header, points);
  std::FILE* out = std::fopen(options.eng_file.c_str(), "wb");
  if (out == nullptr) return fail(json, kCode, "não foi possível escrever " + eng);
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
  if (std::fclose(out) != 0 || !written) {
    remove_cut_file(options.eng_file);
    return fail(json, kCode, "erro ao escrever " + eng + ": nenhum arquivo escrito");
  }
  put("Curva de " + std::to_string(points.size()) + " pontos escrita em " + eng + "\n", report_stream(json));
  return kStatusFits;
}

// The check's document: its one firing, with the program's figures on the
// case's window when there is a case.
std::string check_document(const InspectInput& input, const InspectResult& result) {
  JsonWriter json;
  open_json_document(json, kJsonCommand);
  json_key(json, "firings");
  json_open_array(json);
  const std::string source = console_name(input.thrust_name);
  FiringJsonContext context{source, std::nullopt, std::nullopt, result.uncertainty ? &*result.uncertainty : nullptr};
  if (input.case_values && result.in_case) {
    context.program = ProgramWindow{input.case_values->ti, input.case_values->tf, *result.in_case};
  }
  put_firing_json(json, result.firing, context);
  json_close_array(json);
  json_close_object(json);
  return std::move(json.text);
}

// The calibration for the budget: --calibracao's, else the case's copy
// beside its parameter file when there is one.
int read_calibration(const Options& options, const RunContext& rc, InspectInput& input, const JsonRun& json) {
  std::string name = options.calibration_file;
  if (name.empty() && options.thrust_file.empty() && !trimmed(rc.case_name).empty()) {
    name = std::string(trimmed(rc.case_name)) + kCalibrationSuffix;
    std::error_code error;
    if (!fs::is_regular_file(path_of_name(name), error)) return kStatusFits;
  }
  if (name.empty()) return kStatusFits;
  Calibration calibration;
  std::string text;
  std::string problem;
  if (!read_cal_file(name, &calibration, &text, &problem)) return fail(json, "unreadable-calibration", problem);
  input.uncertainty.calibration = calibration;
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
      if (!options.eng_file.empty() || !options.json_file.empty()) input.case_files = files_of_case_here();
      input.case_files.push_back(fs::absolute(path_of_name(input.thrust_name)));
    }
    if (!options.eng_file.empty() && !options.propellant_mass && !input.case_values) {
      return fail(json, "usage",
                  "--eng pede a massa de propelente (--massa-propelente KG) quando não há caso (veja --help)");
    }
    input.rc = &rc;
    input.source.name = input.thrust_name;
    input.release_records = true;
    input.want_eng = !options.eng_file.empty();
    input.choice.from = options.from;
    input.choice.to = options.to;
    input.choice.event = static_cast<std::size_t>(options.event);
    input.choice.inverted = options.inverted;
    static_cast<StandFigures&>(input.uncertainty) = options;
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
  if (const int status = read_check_input(options, input, json); status != kStatusFits) return status;
  json.kept.insert(json.kept.end(), input.case_files.begin(), input.case_files.end());
  if (!options.eng_file.empty()) json.kept.push_back(fs::absolute(path_of_name(options.eng_file)));
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
  if (!options.eng_file.empty()) {
    const int status = write_eng(options, input, result, json);
    if (status != kStatusFits) return status;
  }
  return finish_with_json(json, json.target.empty() ? "" : check_document(input, result), result.status);
}
