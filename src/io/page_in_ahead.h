// A long curve is written to fresh memory, and the kernel clears each page
// at its first write. A helper thread has the pages ahead of the writer
// backed in advance, so the clearing runs on another core.
#ifndef TALVIRONESKA_IO_PAGE_IN_AHEAD_H_
#define TALVIRONESKA_IO_PAGE_IN_AHEAD_H_

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

class PageInAhead {
 public:
  // For the array [base, base + bytes), written from its start onwards.
  PageInAhead(void* base, std::size_t bytes);
  ~PageInAhead();
  PageInAhead(const PageInAhead&) = delete;
  PageInAhead& operator=(const PageInAhead&) = delete;

  // The first `used` bytes are written. The helper starts only once the
  // array is long enough to be worth it, and stays a few pages ahead, so
  // the memory held is never much more than what is used.
  void advance(std::size_t used);

 private:
  void run();

  std::uintptr_t start_;  // the array
  std::uintptr_t begin_;  // its first large-page boundary
  std::uintptr_t end_;    // the end of the array
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t used_ = 0;   // guarded by mutex_
  bool stopping_ = false;  // guarded by mutex_
  std::thread helper_;
  bool tried_ = false;
};

#endif  // TALVIRONESKA_IO_PAGE_IN_AHEAD_H_
