// The record lines of a large block are scanned on two cores: this thread
// takes the first stretch of the block while a helper thread scans the rest
// into a list of records, which this thread then takes in order.
#ifndef TALVIRONESKA_INPUT_RECORD_SCAN_HELPER_H_
#define TALVIRONESKA_INPUT_RECORD_SCAN_HELPER_H_

#include <cstddef>
#include <cstring>
#include <memory>
#include <thread>

#include "io/hand_off.h"

class RecordScanHelper {
 public:
  RecordScanHelper() = default;
  // Waits for a scan still running, then ends the helper thread.
  ~RecordScanHelper() { stretches_.close(); }
  RecordScanHelper(const RecordScanHelper&) = delete;
  RecordScanHelper& operator=(const RecordScanHelper&) = delete;

  // Starts scanning [begin, end), whole lines followed by 8 readable bytes
  // that stay in place until finish() returns. False, starting nothing, on
  // one core or when no thread can be started.
  bool start(const char* begin, const char* end);

  struct Found {
    const double* tlido;
    const double* Flido;
    std::size_t count;  // records of the common shape from begin, in order
    const char* stop;   // the start of the first line not taken, or end
  };
  // Waits for the scan started last to end.
  Found finish();

  // Where a block of whole lines is shared out: after the first line end
  // past its middle. The end of the block when it is too small to be worth
  // sharing.
  static const char* split_point(const char* begin, const char* end) {
    constexpr std::ptrdiff_t kShareFrom = 512 * 1024;
    if (end - begin < kShareFrom) return end;
    const char* const middle = begin + (end - begin) / 2;
    const void* lf = std::memchr(middle, '\n', static_cast<std::size_t>(end - middle));
    return lf != nullptr ? static_cast<const char*>(lf) + 1 : end;
  }

 private:
  struct Stretch {
    const char* begin;
    const char* end;
  };
  void scan_stretches();

  bool unavailable_ = false;
  std::size_t capacity_ = 0;
  std::unique_ptr<double[]> tlido_;
  std::unique_ptr<double[]> Flido_;
  HandOff<Stretch> stretches_;
  HandOff<Found> found_;
  std::jthread thread_;  // last: joined before the rest goes
};

#endif  // TALVIRONESKA_INPUT_RECORD_SCAN_HELPER_H_
