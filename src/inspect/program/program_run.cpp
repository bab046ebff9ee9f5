#include "inspect/program/program_run.h"

#include <algorithm>
#include <limits>

#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "core/trimmed.h"
#include "input/case_params.h"
#include "input/record_stream.h"
#include "input/thrust_data.h"
#include "input/thrust_window.h"
#include "inspect/program/text_blocks.h"
#include "io/severe_error.h"
#include "io/unit.h"

namespace {

struct ProgramReading {
  RunContext& rc;
  RecordStep step = RecordStep::read_on;

  bool record(double tlido, double Flido, const RecordRead&) {
    step = take_record(rc, tlido, Flido);
    return step == RecordStep::read_on;
  }
  bool unreadable(ReadError, std::uint32_t, std::string_view, bool) { return false; }
  void end_of_file(std::uint32_t, int, std::string_view) {}
};

}  // namespace

void start_program_run(const CaseValues& values, RunContext& rc) {
  rc.ti = values.ti;
  rc.tf = values.tf;
  rc.Fcor = values.Fcor;
  rc.M = values.M;
  rc.w = values.w;
  compute_parameter_figures(rc);
  rc.Fmin = 0.0;
  rc.tmax = 0.0;
  rc.classe.fill('\0');
}

ProgramFigures program_figures(const RunContext& rc) {
  ProgramFigures f;
  f.It = rc.It;
  f.Fmed = rc.Fmed;
  f.tq = rc.tq;
  f.Fmax = rc.Fmax;
  f.tmax = rc.time_origin_option == 0 ? rc.tmax - rc.ti : rc.tmax;
  f.Is = rc.Is;
  f.Fmin = rc.Fmin;
  f.classe.assign(rc.classe.begin(), rc.classe.end());
  while (!f.classe.empty() && (f.classe.back() == ' ' || f.classe.back() == '\0')) f.classe.pop_back();
  f.nc = rc.nc;
  return f;
}

bool run_program_on_records(ThrustFile& file, const CaseValues& values, RunContext& rc) {
  rc.F = std::move(file.F);
  rc.nmax = static_cast<std::int32_t>(std::min<std::size_t>(file.F_capacity, std::numeric_limits<std::int32_t>::max()));
  file.F_capacity = 0;
  start_program_run(values, rc);
  const double* const F = rc.F.get();
  for (std::size_t i = 0; i < file.readable; ++i) {
    const RecordStep step = take_record(rc, file.t[i], F[i]);
    if (step == RecordStep::end_reading) {
      compute_integral_figures(rc);
      classify(rc);
      return true;
    }
    if (step == RecordStep::arrays_full) return false;
  }
  return false;
}

void run_program_on_curve_stretch(RunContext& rc, const CaseValues& values, std::size_t offset, std::size_t points,
                                  std::span<const double> t, std::size_t first_kept) {
  std::copy(rc.F.get() + offset, rc.F.get() + offset + points, rc.F.get());
  start_program_run(values, rc);
  for (std::size_t k = 0; k < points; ++k) {
    rc.nc = static_cast<std::int32_t>(k + 1);
    update_running_extremes(rc, t[first_kept + k]);
  }
  compute_integral_figures(rc);
  classify(rc);
}

bool run_program(const ThrustSource& source, const CaseValues& values, RunContext& rc) {
  const std::int32_t capacity = rc.nmax;
  start_program_run(values, rc);
  ProgramReading reading{rc};
  if (!source.in_memory && source.name.size() <= rc.original.size() && source.name.find('\0') == std::string::npos &&
      trimmed(source.name) == source.name) {
    // The program's own reading step, on two cores, where its file name field holds the name.
    rc.original.fill(' ');
    std::copy(source.name.begin(), source.name.end(), rc.original.begin());
    require_existing_file(source.name, kUnitThrustData);
    try {
      read_thrust_data(rc);
      reading.step = RecordStep::end_reading;
    } catch (const SevereError&) {
      // The window check said the reading ends past the window; the file changed since.
      reading.step = RecordStep::read_on;
    }
  } else if (source.in_memory) {
    TextBlocks blocks(source.text);
    stream_records(blocks, reading);
  } else {
    require_existing_file(source.name, kUnitThrustData);
    Unit unit(kUnitThrustData, source.name, OpenMode::read);
    stream_records(unit, reading);
    unit.close();
  }
  rc.nmax = capacity;
  if (reading.step != RecordStep::end_reading) return false;
  compute_integral_figures(rc);
  classify(rc);
  return true;
}
