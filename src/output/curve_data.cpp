#include "output/curve_data.h"

#include <algorithm>

#include "core/output_names.h"
#include "io/unit.h"
#include "output/chunk_pipeline.h"
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
  // Chunks of lines are formatted on two cores and written in order.
  constexpr std::int64_t kLinesPerChunk = 16384;
  const std::int64_t nc = rc.nc;
  fill_in_parallel_emit_in_order((nc + kLinesPerChunk - 1) / kLinesPerChunk, kLinesPerChunk * kCurveLineMax,
                                 [&rc, shift, nc](std::int64_t chunk, char* out) {
                                   char* p = out;
                                   const std::int64_t stop = std::min(nc, (chunk + 1) * kLinesPerChunk);
                                   for (std::int64_t k = chunk * kLinesPerChunk; k < stop; ++k) {
                                     const double t = curve_time(rc, static_cast<std::int32_t>(k + 1));
                                     p = format_curve_line(p, shift ? t + rc.ti : t, rc.F[k]);
                                   }
                                   return static_cast<std::size_t>(p - out);
                                 },
                                 [&unit](std::string_view bytes) { unit.write(bytes); });
  unit.close();
}
