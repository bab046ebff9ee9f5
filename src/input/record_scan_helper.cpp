#include "input/record_scan_helper.h"

#include <new>

#include "input/record_lines.h"

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
    thread_ = start_helper_thread([this] { scan_stretches(); });
    if (!thread_.joinable()) {
      unavailable_ = true;
      return false;
    }
  }
  return stretches_.put({begin, end});
}

RecordScanHelper::Found RecordScanHelper::finish() { return *found_.take(); }

void RecordScanHelper::scan_stretches() {
  while (const std::optional<Stretch> stretch = stretches_.take()) {
    const char* p = stretch->begin;
    std::size_t count = 0;
    while (p < stretch->end) {
      const char* const next = record_lines::scan_record_line(p, stretch->end, &tlido_[count], &Flido_[count]);
      if (next == nullptr) break;
      p = next;
      ++count;
    }
    found_.put({tlido_.get(), Flido_.get(), count, p});
  }
}
