#include "inspect/series/firing.h"

#include <algorithm>
#include <climits>
#include <system_error>

#include "analysis/curve.h"
#include "core/run_context.h"
#include "core/trimmed.h"
#include "inspect/calibration/cal_file.h"
#include "inspect/common/code_page.h"
#include "inspect/common/native_name.h"
#include "inspect/common/text.h"
#include "inspect/program/case_files.h"
#include "inspect/program/program_run.h"
#include "inspect/program/thrust_records.h"
#include "inspect/series/mean_curve.h"
#include "io/severe_error.h"
#include "io/unit.h"

namespace fs = std::filesystem;

namespace {

// The program runs in its case directory and opens every file by a name
// relative to it: the case is read from there, and the directory the
// companion started in is restored afterwards, also when reading fails.
class InDirectory {
 public:
  explicit InDirectory(const fs::path& dir) : before_(fs::current_path()) { fs::current_path(dir); }
  ~InDirectory() {
    std::error_code ignored;
    fs::current_path(before_, ignored);
  }
  InDirectory(const InDirectory&) = delete;
  InDirectory& operator=(const InDirectory&) = delete;

 private:
  fs::path before_;
};

// Why the program's reading would not reach past the window.
std::string program_stop(const ThrustFile& file, const WindowReading& run, const CaseValues& values) {
  switch (run.end) {
    case ProgramEnd::past_window: break;
    case ProgramEnd::unreadable_line:
      return "o programa pararia na linha " + std::to_string(file.unreadable.first_line) +
             " do arquivo de empuxo com o erro " + std::to_string(severe_number(file.first_error));
    case ProgramEnd::end_of_file:
      return "o arquivo de empuxo acaba antes de um registro depois de tf + 1/(2w): o programa pararia com o erro 24";
    case ProgramEnd::arrays_full:
      return "a janela tem " + std::to_string(run.inside) +
             " registros, mais que nmax = " + std::to_string(values.nmax) + ": o programa pararia com o erro 408";
    case ProgramEnd::arrays_too_big:
      return "nmax = " + std::to_string(values.nmax) + " é grande demais: o programa pararia com o erro 179";
  }
  return "";
}

// The one analysis of the firing's log and its burn's budget with
// CALIBRATION; false with *PROBLEM when it holds no burn. The thrust is
// mirrored first under --inverter.
bool analyse(ThrustFile& file, const FiringOptions& options, Firing* f, std::string* problem,
             const std::optional<Calibration>& calibration = std::nullopt) {
  if (options.inverted) mirror_thrust(std::span<double>(file.F.get(), file.size()));
  FiringChoice choice;
  choice.w = f->from_case ? f->values.w : options.rate;
  choice.inverted = options.inverted;
  f->analysis = analyse_firing(file.times(), file.thrusts(), choice);
  const FiringAnalysis& a = f->analysis;
  if (a.inverted) {
    *problem = warning_text(a, "inverted-cell");
    return false;
  }
  if (!a.burn) {
    *problem = "nenhuma queima no arquivo de empuxo";
    return false;
  }
  f->standard = *a.burn;
  f->standard_class = a.burn_class;
  UncertaintyInputs stand;
  static_cast<StandFigures&>(stand) = options.stand;
  stand.calibration = calibration;
  stand.propellant_mass = f->from_case ? f->values.M : options.M;
  if (!(*stand.propellant_mass > 0.0)) stand.propellant_mass.reset();
  f->uncertainty = firing_uncertainty(file.times(), file.thrusts(), a, stand);
  return true;
}

// The program's figures and curve over the firing's window.
bool evaluate(ThrustFile& file, Firing* f, std::string* problem) {
  const WindowReading run = read_window(file, f->values);
  RunContext rc;
  if (run.end != ProgramEnd::past_window || !run_program_on_records(file, f->values, rc)) {
    *problem = program_stop(file, run, f->values);
    return false;
  }
  if (rc.nc < 2) {
    *problem = "a janela de ti = " + shortest(f->values.ti) + " s a tf = " + shortest(f->values.tf) +
               " s tem menos de dois registros";
    return false;
  }
  f->program = program_figures(rc);
  f->program.tmax = rc.tmax - rc.ti;
  // Point k of the curve lies (k - 1) dt after the first record kept.
  const double origin = file.t[run.first_kept] - f->standard.start;
  const auto nc = static_cast<std::size_t>(rc.nc);
  ThinnedCurve curve;
  curve.bucket = (nc + kSeriesCurvePoints - 1) / kSeriesCurvePoints;
  curve.points.t.reserve(nc / curve.bucket + 1);
  curve.points.F.reserve(nc / curve.bucket + 1);
  for (std::int32_t k = 1; k <= rc.nc; ++k) add_thinned_point(curve, curve_time(rc, k) + origin, rc.F[k - 1]);
  finish_thinned_curve(curve);
  f->curve = std::move(curve.points);
  f->curve_step = static_cast<double>(curve.bucket) / f->values.w;
  return true;
}

// The calibration the import copied into the case CASE_NAME, in the current
// folder; none when there is none or it cannot be read, and then *NOTE says
// why (the budget names the calibration as not given).
std::optional<Calibration> case_calibration(const std::string& case_name, std::string* note) {
  Calibration calibration;
  std::string text;
  std::error_code error;
  const std::string name = case_name + kCalibrationSuffix;
  if (case_name.empty() || !fs::is_regular_file(path_of_name(name), error)) return std::nullopt;
  if (!read_cal_file(name, &calibration, &text, note)) return std::nullopt;
  return calibration;
}

bool read_case_firing(const fs::path& dir, const FiringOptions& options, Firing* f, std::string* problem) {
  std::optional<Calibration> calibration;
  RunContext rc;
  ThrustFile file;
  {
    const InDirectory in_case(dir);
    read_case_files(rc);
    const std::string thrust_name(trimmed(rc.original));
    file = read_thrust_source({thrust_name, false, {}}, kUnitThrustData);
    const std::string case_name(trimmed(rc.case_name));
    f->files = files_of_case(rc);
    std::error_code error;
    f->log = fs::absolute(path_of_name(thrust_name), error);
    f->name = case_name.empty() ? cp1252_from_utf8(name_of_path(dir.filename())) : case_name;
    calibration = case_calibration(case_name, &f->calibration_note);
  }
  f->from_case = true;
  f->values = static_cast<const CaseValues&>(rc);
  return analyse(file, options, f, problem, calibration) && evaluate(file, f, problem);
}

bool read_file_firing(const fs::path& path, const FiringOptions& options, Firing* f, std::string* problem) {
  ThrustFile file = read_thrust_source({name_of_path(path), false, {}}, kUnitThrustData);
  f->files.push_back(fs::absolute(path));
  f->log = f->files.back();
  f->name = cp1252_from_utf8(name_of_path(path.filename()));
  if (file.readable < 2) {
    *problem = "o leitor do programa lê menos de dois registros do arquivo";
    return false;
  }
  if (!analyse(file, options, f, problem)) return false;
  const FiringAnalysis& a = f->analysis;
  if (a.w <= 0) {
    *problem = "o passo mediano do arquivo não é positivo: dê a frequência com --rate";
    return false;
  }
  f->values.ti = a.ti;
  f->values.tf = a.tf;
  f->values.M = options.M;
  f->values.w = a.w;
  // Room for every record: the window never needs more.
  f->values.nmax = static_cast<std::int32_t>(std::min<std::size_t>(file.size(), kMaxNmax));
  return evaluate(file, f, problem);
}

}  // namespace

bool read_firing(const std::string& argument, const FiringOptions& options, Firing* firing, std::string* problem) {
  *firing = Firing{};
  firing->argument = argument;
  firing->shown = cp1252_from_utf8(argument);
  std::string why;
  try {
    const fs::path path = path_of_name(argument);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
      why = "não existe";
    } else if (fs::is_directory(status)) {
      if (read_case_firing(path, options, firing, &why)) return true;
    } else if (read_file_firing(path, options, firing, &why)) {
      return true;
    }
  } catch (const SevereError& error) {
    why = "severe (" + std::to_string(error.number()) + "): " + console_name(error.text());
  } catch (const fs::filesystem_error& error) {
    why = error.what();
  }
  *problem = "ensaio " + console_name(argument) + ": " + why;
  return false;
}
