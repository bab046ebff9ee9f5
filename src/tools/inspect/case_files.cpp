#include "tools/inspect/case_files.h"

#include <string_view>

#include "analysis/figures.h"
#include "core/trimmed.h"
#include "input/case_params.h"
#include "input/general_data.h"
#include "io/unit.h"
#include "tools/inspect/thrust_records.h"

void read_case_files(RunContext& rc) {
  require_existing_file(kGeneralDataFileName, kUnitGeneralData);
  read_general_data(rc);
  const std::string_view name = trimmed(rc.parameter_file_name);
  // An empty or unassigned name fails in the reader without creating anything.
  if (!name.empty() && name.find('\0') == std::string_view::npos) require_existing_file(name, kUnitCaseParams);
  read_case_params(rc);
  RunContext check;
  check.parameter_file_name = rc.parameter_file_name;
  check.w = rc.w;
  compute_parameter_figures(check);
}
