#include "output/curve_data.h"

#include <algorithm>
#include <vector>

#include "core/output_names.h"
#include "io/unit.h"
#include "output/field.h"
#include "output/field_fast.h"
#include "output/format.h"
#include "output/report_header.h"

namespace {

using namespace layout;

// "#", T4, "t [s]", T16, "F [N]"
constexpr LayoutItem kHeading[] = {lit("#"), T(4), lit("t [s]"), T(16), lit("F [N]")};

}  // namespace

char* format_curve_line(char* out, double time, double thrust) {
  if (!field_fast::fixed_field<12, 7>(out, time)) write_fixed_field_exact(out, time, 12, 7);
  if (!field_fast::exp_field<15, 6>(out + 12, thrust)) write_exp_field_exact(out + 12, thrust, 15, 6);
  out[27] = '\r';
  out[28] = '\n';
  return out + kCurveLineMax;
}

void write_curve_data(const RunContext& rc) {
  Unit unit(kUnitCurveData, curve_file_name(rc), OpenMode::write);
  write_report_header(unit, rc);
  write_layout(unit, kHeading, {});
  const bool shift = rc.time_origin_option == 1;
  // The lines are formatted a chunk at a time into one buffer and written
  // from it: formatting them on a second core bought nothing measurable.
  constexpr std::int64_t kLinesPerChunk = 16384;
  const std::int64_t nc = rc.nc;
  std::vector<char> chunk(static_cast<std::size_t>(std::clamp<std::int64_t>(nc, 0, kLinesPerChunk)) * kCurveLineMax);
  for (std::int64_t first = 0; first < nc; first += kLinesPerChunk) {
    char* p = chunk.data();
    const std::int64_t stop = std::min(nc, first + kLinesPerChunk);
    for (std::int64_t k = first; k < stop; ++k) {
      const double t = curve_time(rc, static_cast<std::int32_t>(k + 1));
      p = format_curve_line(p, shift ? t + rc.ti : t, rc.F[k]);
    }
    unit.write(std::string_view(chunk.data(), static_cast<std::size_t>(p - chunk.data())));
  }
  unit.close();
}
