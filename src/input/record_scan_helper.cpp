#include "input/record_scan_helper.h"

#include <new>
#include <system_error>

#include "input/record_lines.h"

RecordScanHelper::~RecordScanHelper() {
  if (!thread_.joinable()) return;
  state_.wait(scanning);  // a scan reads the unit's block: let it end first
  state_.store(quitting);
  state_.notify_one();
  thread_.join();
}

bool RecordScanHelper::start(const char* begin, const char* end) {
  if (unavailable_) return false;
  const std::size_t most = static_cast<std::size_t>(end - begin) / record_lines::kShortestLine + 1;
  if (most > capacity_) {
    tlido_.reset(new (std::nothrow) double[most]);
    Flido_.reset(new (std::nothrow) double[most]);
    capacity_ = tlido_ && Flido_ ? most : 0;
    if (capacity_ == 0) return false;
  }
  if (!thread_.joinable()) {
    if (std::thread::hardware_concurrency() < 2) {
      unavailable_ = true;
      return false;
    }
    try {
      thread_ = std::thread(&RecordScanHelper::run, this);
    } catch (const std::system_error&) {
      unavailable_ = true;
      return false;
    }
  }
  begin_ = begin;
  end_ = end;
  state_.store(scanning, std::memory_order_release);
  state_.notify_one();
  return true;
}

RecordScanHelper::Found RecordScanHelper::finish() {
  state_.wait(scanning, std::memory_order_acquire);
  state_.store(idle, std::memory_order_relaxed);
  return found_;
}

void RecordScanHelper::run() {
  for (;;) {
    int state = state_.load(std::memory_order_acquire);
    while (state != scanning && state != quitting) {
      state_.wait(state, std::memory_order_acquire);
      state = state_.load(std::memory_order_acquire);
    }
    if (state == quitting) return;
    const char* p = begin_;
    std::size_t count = 0;
    while (p < end_) {
      const char* const next = record_lines::scan_record_line(p, end_, &tlido_[count], &Flido_[count]);
      if (next == nullptr) break;
      p = next;
      ++count;
    }
    found_ = {tlido_.get(), Flido_.get(), count, p};
    state_.store(done, std::memory_order_release);
    state_.notify_one();
  }
}
