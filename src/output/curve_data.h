// The curve data file: the processed curve as a two-column table, time and
// thrust, under the report header and a column heading; nc + 8 lines.
#ifndef TALVIRONESKA_OUTPUT_CURVE_DATA_H_
#define TALVIRONESKA_OUTPUT_CURVE_DATA_H_

#include <cstddef>

#include "core/run_context.h"
#include "output/layout.h"

// Writes the trimmed case name + "_saida_B.txt" on unit 20 from its start and
// cuts it after the last line. Point k (1..nc) is written at curve_time(rc, k),
// plus ti when the time-origin option is exactly 1, and thrust F[k - 1].
// Open, write and close failures end the run (unit 20).
void write_curve_data(const RunContext& rc);

// A data line: F12.7, 1PE15.6 (time, thrust).
inline constexpr LayoutItem kCurveLine[] = {layout::F(12, 7), layout::PE(15, 6)};
inline constexpr std::size_t kCurveLineMax = 12 + 15 + 2;

// kCurveLine applied to (time, thrust) at OUT, the line end included; the
// same bytes as apply_layout gives, by a route with no walk over the items.
// Returns the end. REQUIRES: room for kCurveLineMax bytes.
char* format_curve_line(char* out, double time, double thrust);

#endif  // TALVIRONESKA_OUTPUT_CURVE_DATA_H_
