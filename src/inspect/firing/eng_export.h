// The thrust curve of the burn in the engine file format that the common
// flight simulators read: comment lines starting with ';', one header line
// "name diameter length delays propellant-mass total-mass maker", then one
// "time thrust" line per point, time from ignition, the last one at zero
// thrust.
#ifndef TALVIRONESKA_INSPECT_FIRING_ENG_EXPORT_H_
#define TALVIRONESKA_INSPECT_FIRING_ENG_EXPORT_H_

#include <span>
#include <string>
#include <vector>

#include "inspect/firing/burn.h"

inline constexpr std::size_t kEngMaxPoints = 32;

struct CurvePoint {
  double t;
  double F;
};

// The burn as a polyline from (0, 0) at the start crossing through every
// record of the burn, thrust above the burn's zero, to (duration, 0) at the
// end crossing.
std::vector<CurvePoint> burn_polyline(std::span<const double> t, std::span<const double> F, const Burn& burn);

// At most MAX_POINTS points after the implicit (0, 0), the last one (the end
// of the burn) at zero thrust. The times are those of the polyline's points
// that carry the most shape (smallest triangle areas dropped first); the
// thrust values are the least-squares fit of the polyline on those times,
// which keeps its impulse but for the two end segments.
std::vector<CurvePoint> reduce_curve(const std::vector<CurvePoint>& polyline, std::size_t max_points = kEngMaxPoints);

// Impulse of POINTS, with the curve starting from (0, 0).
double curve_impulse(const std::vector<CurvePoint>& points);

// Flight simulators' motor databases refuse a smaller diameter or length.
inline constexpr double kEngMinSizeMm = 1.0;

struct EngHeader {
  std::string name;              // the designation, no blanks
  double diameter = 0.0;         // mm
  double length = 0.0;           // mm
  double propellant_mass = 0.0;  // kg
  double total_mass = 0.0;       // kg
  std::string comment;           // where the curve came from, one line
};

// The file's text, LF line ends, ASCII only, each figure in full however
// wide it is. REQUIRES: eng_figures_finite.
std::string eng_text(const EngHeader& header, const std::vector<CurvePoint>& points);

// False when a figure of the file, or the curve's impulse, is infinite or
// not a number: the simulators cannot read such a file.
bool eng_figures_finite(const EngHeader& header, const std::vector<CurvePoint>& points);

#endif  // TALVIRONESKA_INSPECT_FIRING_ENG_EXPORT_H_
