// The measured time steps against the program's fixed step 1/w.
#ifndef TALVIRONESKA_TOOLS_INSPECT_SAMPLING_H_
#define TALVIRONESKA_TOOLS_INSPECT_SAMPLING_H_

#include <cstddef>
#include <span>
#include <vector>

#include "tools/inspect/thrust_records.h"

struct Sampling {
  std::size_t steps = 0;     // records - 1
  double median = 0.0;       // s
  double min = 0.0;
  double max = 0.0;
  std::size_t repeated = 0;  // steps of zero
  std::size_t backward = 0;  // steps below zero
  std::size_t gaps = 0;      // steps longer than 1.5 / w
  double largest_gap = 0.0;
  double first_gap_time = 0.0;  // time of the record before the first gap
};

// Needs two records or more and w > 0.
Sampling measure_sampling(std::span<const ThrustRecord> records, int w);

// The impulse of the kept records by the trapezoid rule on their measured
// times, with the thrust raised to FCOR and lowered by TARE as the program
// does it: the program's own impulse differs from it only by its time step.
double measured_impulse(std::span<const ThrustRecord> records, const std::vector<std::size_t>& kept,
                        double Fcor, double tare = 0.0);

// The w that the median step suggests, rounded to a whole hertz.
int rate_from_median(double median_step);

#endif  // TALVIRONESKA_TOOLS_INSPECT_SAMPLING_H_
