#include "input/record_scan_helper.h"

#include <new>
#include <exception>

#include "input/record_lines.h"

RecordScanHelper::~RecordScanHelper() {
  if (!thread_.joinable()) return;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return state_ != scanning; });  // a scan reads the unit's block
    state_ = quitting;
  }
  changed_.notify_all();
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
    } catch (const std::exception&) {  // no thread to be had: this one reads alone
      unavailable_ = true;
      return false;
    }
  }
  {
    std::lock_guard lock(mutex_);
    begin_ = begin;
    end_ = end;
    state_ = scanning;
  }
  changed_.notify_all();
  return true;
}

RecordScanHelper::Found RecordScanHelper::finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return state_ != scanning; });
  state_ = idle;
  return found_;
}

void RecordScanHelper::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return state_ == scanning || state_ == quitting; });
    if (state_ == quitting) return;
    const char* const end = end_;
    const char* p = begin_;
    lock.unlock();
    std::size_t count = 0;
    while (p < end) {
      const char* const next = record_lines::scan_record_line(p, end, &tlido_[count], &Flido_[count]);
      if (next == nullptr) break;
      p = next;
      ++count;
    }
    lock.lock();
    found_ = {tlido_.get(), Flido_.get(), count, p};
    state_ = done;
    changed_.notify_all();
  }
}
