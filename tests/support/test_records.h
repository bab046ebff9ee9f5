// Records for the analysis, built by hand in the tests: a curve like any
// other.
#ifndef TALVIRONESKA_TESTS_SUPPORT_TEST_RECORDS_H_
#define TALVIRONESKA_TESTS_SUPPORT_TEST_RECORDS_H_

#include "inspect/firing/curve.h"

using TestRecords = Curve;

#endif  // TALVIRONESKA_TESTS_SUPPORT_TEST_RECORDS_H_
