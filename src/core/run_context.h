// The run context: every value of one run, set by the steps in run order.
#ifndef TALVIRONESKA_CORE_RUN_CONTEXT_H_
#define TALVIRONESKA_CORE_RUN_CONTEXT_H_

#include <array>
#include <cstdint>
#include <memory>

// Text fields hold their bytes padded with blanks once assigned; until then
// they hold NUL bytes. Numbers start at zero.
template <std::size_t N>
using TextField = std::array<char, N>;

// The case parameter values that govern the reading of the thrust data and
// the figures: part of the run context, and passed alone where nothing else
// of a run is needed.
struct CaseValues {
  double ti = 0.0;
  double tf = 0.0;
  double Fcor = 0.0;
  double M = 0.0;
  std::int32_t w = 0;
  std::int32_t nmax = 0;
};

struct RunContext : CaseValues {
  // General data file.
  TextField<90> parameter_file_name{};

  // Case parameter file, in file order: original, the case values (ti, tf,
  // Fcor, M, w, nmax), then the options and names.
  TextField<50> original{};
  std::int32_t time_origin_option = 0;
  std::int32_t plot_option = 0;
  std::int32_t curve_listing_option = 0;
  TextField<90> case_name{};
  TextField<90> title{};

  // Processed curve: the thrust of point k (1..nc) is F[k - 1]. Its time is
  // (k - 1) * dt, formed afresh from the index whenever it is needed (see
  // curve_time), bit for bit what storing it would give; t is allocated with
  // F but never written, so it costs address space and no memory. The arrays
  // hold nmax elements (none when nmax <= 0) and are never initialised, so
  // pages past the kept points are never touched.
  std::unique_ptr<double[]> t;
  std::unique_ptr<double[]> F;
  std::int32_t nc = 0;

  // Figures.
  double dt = 0.0;
  double tq = 0.0;
  double fm = 0.0;
  double It = 0.0;
  double Fmed = 0.0;
  double c = 0.0;
  double Is = 0.0;
  double Fmax = 0.0;
  double tmax = 0.0;
  double Fmin = 0.0;
  TextField<4> classe{};
};

// The time of curve point k (1..nc), counted from the first point: formed
// from the index so no rounding accumulates along the curve.
inline double curve_time(const RunContext& rc, std::int32_t k) { return static_cast<double>(k - 1) * rc.dt; }

// Sea-level gravitational acceleration (m/s2), used for Is and printed in the report.
inline constexpr double go = 9.80665;

#endif  // TALVIRONESKA_CORE_RUN_CONTEXT_H_
