// Records for the analysis, built by hand in the tests.
#ifndef TALVIRONESKA_TESTS_SUPPORT_TEST_RECORDS_H_
#define TALVIRONESKA_TESTS_SUPPORT_TEST_RECORDS_H_

#include <vector>

struct TestRecords {
  std::vector<double> t;
  std::vector<double> F;
  void add(double time, double thrust) {
    t.push_back(time);
    F.push_back(thrust);
  }
};

#endif  // TALVIRONESKA_TESTS_SUPPORT_TEST_RECORDS_H_
