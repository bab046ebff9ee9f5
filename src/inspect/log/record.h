// The records of a logger's file after their units are converted: times
// (s, counted from the first record, increasing) and thrusts (N), in file
// order, each in an array of its own that the analysis takes as it is.
#ifndef TALVIRONESKA_INSPECT_LOG_RECORD_H_
#define TALVIRONESKA_INSPECT_LOG_RECORD_H_

#include "inspect/firing/curve.h"

using Records = Curve;

#endif  // TALVIRONESKA_INSPECT_LOG_RECORD_H_
