#include "run/output_guard.h"

#include <string>

#include "core/output_names.h"
#include "core/trimmed.h"
#include "input/general_data.h"
#include "io/os_file.h"
#include "io/severe_error.h"
#include "io/unit.h"
#include "output/plot_script.h"

void check_outputs_are_not_inputs(const RunContext& rc) {
  const std::string report = report_file_name(rc);
  const std::string curve = curve_file_name(rc);
  const std::string inputs[] = {kGeneralDataFileName, std::string(trimmed(rc.parameter_file_name)),
                                std::string(trimmed(rc.original)), std::string(kPlotScriptName)};
  const struct {
    int unit;
    const std::string& name;
  } outputs[] = {{kUnitReport, report}, {kUnitCurveData, curve}};
  for (const auto& output : outputs) {
    // A name the open refuses anyway (a NUL byte) is left to its own error.
    if (output.name.find('\0') != std::string::npos) continue;
    bool same = output.unit == kUnitReport && os_same_file(report, curve);
    for (const std::string& input : inputs) same = same || os_same_file(output.name, input);
    if (same)
      throw_severe(kErrOpenFailure,
                   "output file is an input of this run, " + file_place_text(output.unit, output.name));
  }
}
