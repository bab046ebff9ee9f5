// The thrust curve of a burn as an engine file holds it: time from
// ignition, at most 32 points after the implicit (0, 0), the last one at
// zero thrust.
#ifndef TALVIRONESKA_INSPECT_ENGINE_ENGINE_CURVE_H_
#define TALVIRONESKA_INSPECT_ENGINE_ENGINE_CURVE_H_

#include <span>

#include "inspect/firing/burn.h"
#include "inspect/firing/curve.h"

inline constexpr std::size_t kEngMaxPoints = 32;

// The burn as a polyline from (0, 0) at the start crossing through every
// record of the burn, thrust above the burn's zero, to (duration, 0) at the
// end crossing.
Curve burn_polyline(std::span<const double> t, std::span<const double> F, const Burn& burn);

// At most MAX_POINTS points after the implicit (0, 0), the last one (the end
// of the burn) at zero thrust. The times are those of the polyline's points
// that carry the most shape (smallest triangle areas dropped first); the
// thrust values are the least-squares fit of the polyline on those times,
// which keeps its impulse but for the two end segments.
Curve reduce_curve(const Curve& polyline, std::size_t max_points = kEngMaxPoints);

// POLYLINE without its first point, the implicit (0, 0): the curve from
// ignition.
Curve from_ignition(const Curve& polyline);

// False when a point of POINTS, or their impulse, is infinite or not a
// number: no engine file can hold such a curve.
bool curve_finite(const Curve& points);

#endif  // TALVIRONESKA_INSPECT_ENGINE_ENGINE_CURVE_H_
