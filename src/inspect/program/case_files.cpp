#include "inspect/program/case_files.h"

#include <string_view>

#include "analysis/figures.h"
#include "core/output_names.h"
#include "core/trimmed.h"
#include "input/case_params.h"
#include "input/general_data.h"
#include "inspect/common/native_name.h"
#include "inspect/common/same_file.h"
#include "inspect/program/thrust_records.h"
#include "io/unit.h"
#include "output/plot_script.h"

void read_case_files(RunContext& rc) {
  require_existing_file(kGeneralDataFileName, kUnitGeneralData);
  read_general_data(rc);
  const std::string_view name = trimmed(rc.parameter_file_name);
  // An empty or unassigned name fails in the reader without creating anything.
  if (!name.empty() && name.find('\0') == std::string_view::npos) require_existing_file(name, kUnitCaseParams);
  read_case_params(rc);
  // The program's own check of w, with its own error.
  compute_parameter_figures(rc);
}

namespace {

std::vector<std::filesystem::path> case_paths(const RunContext& rc, bool with_companions) {
  std::vector<std::filesystem::path> files;
  // A field still unassigned holds NUL bytes.
  auto add = [&](std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return;
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(path_of_name(name), error);
    if (!error) files.push_back(path);
  };
  add(kGeneralDataFileName);
  add(kPlotScriptName);
  add(trimmed(rc.parameter_file_name));
  add(trimmed(rc.original));
  if (trimmed(rc.case_name).find('\0') == std::string_view::npos) {
    add(report_file_name(rc));
    add(curve_file_name(rc));
    if (!with_companions) return files;
    for (const std::string& name : companion_file_names(trimmed(rc.case_name))) add(name);
  }
  return files;
}

}  // namespace

std::vector<std::filesystem::path> files_of_case(const RunContext& rc) { return case_paths(rc, true); }

std::vector<std::filesystem::path> program_files_of_case(const RunContext& rc) { return case_paths(rc, false); }

std::vector<std::string> companion_file_names(std::string_view case_name) {
  std::vector<std::string> names;
  for (const char* suffix : {kImportReportSuffix, kImportJsonSuffix, kReportPageSuffix, kReportPictureSuffix,
                             kReportNotesSuffix, kCalibrationSuffix}) {
    names.push_back(std::string(case_name) + suffix);
  }
  return names;
}

std::vector<std::string> outputs_over_inputs(const RunContext& rc) {
  const std::string_view case_name = trimmed(rc.case_name);
  if (case_name.empty() || case_name.find('\0') != std::string_view::npos) return {};
  const std::string report = report_file_name(rc);
  const std::string curve = curve_file_name(rc);
  const struct {
    std::string_view name;
    const char* what;
  } inputs[] = {{kGeneralDataFileName, "o arquivo de dados gerais"},
                {kPlotScriptName, "o script do gráfico"},
                {trimmed(rc.parameter_file_name), "o arquivo de parâmetros"},
                {trimmed(rc.original), "o arquivo de empuxo"},
                {curve, "a curva"}};
  std::vector<std::string> notes;
  for (const auto& [output, what_out] :
       {std::pair<std::string_view, const char*>{report, "o relatório"}, {curve, "a curva"}}) {
    for (const auto& input : inputs) {
      // The curve is an input to the report's check only.
      if (input.name.data() == output.data()) break;
      if (input.name.empty() || input.name.find('\0') != std::string_view::npos) continue;
      const std::filesystem::path other = std::filesystem::absolute(path_of_name(input.name));
      if (same_file_among(path_of_name(output), std::span(&other, 1)) == nullptr) continue;
      notes.push_back(std::string(what_out) + " do caso, " + console_name(output) + ", é " + input.what + ", " +
                      console_name(input.name) +
                      ": o programa para com o erro 30 sem escrever nada; dê ao caso outro nome");
    }
  }
  return notes;
}
