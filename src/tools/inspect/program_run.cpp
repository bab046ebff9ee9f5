#include "tools/inspect/program_run.h"

#include <algorithm>
#include <limits>

#include "analysis/figures.h"
#include "analysis/impulse_class.h"
#include "input/case_params.h"
#include "input/thrust_window.h"
#include "io/unit.h"
#include "tools/inspect/record_stream.h"

namespace {

struct ProgramReading {
  RunContext& rc;
  RecordStep step = RecordStep::read_on;

  bool record(double tlido, double Flido, const RecordRead&) {
    step = take_record(rc, tlido, Flido);
    return step == RecordStep::read_on;
  }
  bool unreadable(ReadError, std::uint32_t, std::string_view) { return false; }
  void end_of_file(std::uint32_t, int, std::string_view) {}
};

}  // namespace

void prepare_program_runs(RunContext& rc, std::size_t capacity) {
  rc.nmax = static_cast<std::int32_t>(std::min<std::size_t>(capacity, std::numeric_limits<std::int32_t>::max() / 8));
  allocate_curve_arrays(rc);
}

bool run_program(const ThrustSource& source, const CaseValues& values, RunContext& rc) {
  const std::int32_t capacity = rc.nmax;
  rc.ti = values.ti;
  rc.tf = values.tf;
  rc.Fcor = values.Fcor;
  rc.M = values.M;
  rc.w = values.w;
  compute_parameter_figures(rc);
  rc.Fmin = 0.0;
  rc.tmax = 0.0;
  rc.classe.fill('\0');
  ProgramReading reading{rc};
  if (source.in_memory) {
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
