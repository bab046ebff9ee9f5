// Records with uneven time stamps put on the program's grid: one sample
// every 1/w s at a whole w, by linear interpolation.
#ifndef TALVIRONESKA_INSPECT_FIRING_UNIFORM_GRID_H_
#define TALVIRONESKA_INSPECT_FIRING_UNIFORM_GRID_H_

#include <cstdint>
#include <span>
#include <vector>

#include "inspect/log/record.h"

// RECORDS (increasing times from 0) at t = k / w for k = 0, 1, ... up to
// the last record's time, each thrust interpolated linearly between the two
// records around it. The line of the k-th is k + 1.
std::vector<ThrustRecord> resample(std::span<const ThrustRecord> records, std::int32_t w);

// The trapezoid over the measured time stamps from FROM to TO, the records
// at the ends cut by linear interpolation, each thrust raised to FCOR first.
double stamped_impulse(std::span<const ThrustRecord> records, double from, double to, double Fcor);

#endif  // TALVIRONESKA_INSPECT_FIRING_UNIFORM_GRID_H_
