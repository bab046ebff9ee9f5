#include "inspect/program/case_files.h"

#include <string_view>

#include "analysis/figures.h"
#include "core/output_names.h"
#include "core/trimmed.h"
#include "input/case_params.h"
#include "input/general_data.h"
#include "inspect/common/native_name.h"
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

std::vector<std::filesystem::path> files_of_case(const RunContext& rc) {
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
  }
  return files;
}
