// One record of a logger's file after its units are converted: time (s),
// thrust (N) and the line it came from.
#ifndef TALVIRONESKA_INSPECT_LOG_RECORD_H_
#define TALVIRONESKA_INSPECT_LOG_RECORD_H_

#include <cstdint>

struct ThrustRecord {
  double t;
  double F;
  std::uint32_t line;
};

#endif  // TALVIRONESKA_INSPECT_LOG_RECORD_H_
