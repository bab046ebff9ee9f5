// A long curve is written to fresh memory, and the kernel clears each page
// at its first write. A helper thread has the pages ahead of the writer
// backed in advance, so the clearing runs on another core.
#ifndef TALVIRONESKA_IO_PAGE_IN_AHEAD_H_
#define TALVIRONESKA_IO_PAGE_IN_AHEAD_H_

#include <cstddef>
#include <cstdint>
#include <thread>

#include "io/hand_off.h"

class PageInAhead {
 public:
  // For the array [base, base + bytes), written from its start onwards.
  PageInAhead(void* base, std::size_t bytes);
  ~PageInAhead() { used_.close(); }
  PageInAhead(const PageInAhead&) = delete;
  PageInAhead& operator=(const PageInAhead&) = delete;

  // The first `used` bytes are written. The helper starts only once the
  // array is long enough to be worth it, and stays a few pages ahead, so
  // the memory held is never much more than what is used.
  void advance(std::size_t used);

 private:
  void back_pages_ahead();

  std::uintptr_t start_;  // the array
  std::uintptr_t begin_;  // its first large-page boundary
  std::uintptr_t end_;    // the end of the array
  bool tried_ = false;
  std::size_t told_ = 0;  // the last `used` handed to the helper
  HandOff<std::size_t, 4> used_;
  std::jthread helper_;  // last: joined before the rest goes
};

#endif  // TALVIRONESKA_IO_PAGE_IN_AHEAD_H_
