// A load cell's files for the end-to-end tests, in the dialect a logger
// writes (';', CR LF): its calibration table, and the raw log of a burn
// read through it.
#ifndef TALVIRONESKA_TESTS_E2E_CELL_FILES_H_
#define TALVIRONESKA_TESTS_E2E_CELL_FILES_H_

#include <cmath>
#include <numbers>
#include <string>

namespace e2e {

// Loads of 0 to 40 N and back in steps of 10, READINGS_PER_LOAD rows each;
// the reading is 500 + 100 counts per N (+ the row's number in its load).
inline std::string cell_table(int readings_per_load) {
  std::string table = "carga_N;leitura\r\n";
  for (int n : {0, 10, 20, 30, 40, 30, 20, 10, 0}) {
    for (int r = 0; r < readings_per_load; ++r) {
      table += std::to_string(n) + ";" + std::to_string(500 + 100 * n + (readings_per_load > 1 ? r : 0)) + "\r\n";
    }
  }
  return table;
}

// 8 s at 100 Hz, stamped in ms: a half-sine burn of 30 N from 2 s to 3 s,
// the cell's readings of it with a little noise.
inline std::string raw_burn_log() {
  std::string log = "time_ms;raw\r\n";
  for (int k = 0; k < 800; ++k) {
    const double t = k * 0.01;
    const double F = (t > 2.0 && t < 3.0) ? 30.0 * std::sin(std::numbers::pi * (t - 2.0)) : 0.0;
    log += std::to_string(k * 10) + ";" + std::to_string(500.0 + 100.0 * F + 0.3 * std::sin(1.7 * k)) + "\r\n";
  }
  return log;
}

}  // namespace e2e

#endif  // TALVIRONESKA_TESTS_E2E_CELL_FILES_H_
