#include "io/page_in_ahead.h"

#include <algorithm>
#include <exception>

#include "io/memory.h"

namespace {

constexpr std::uintptr_t kStep = std::uintptr_t{2} << 20;  // one large page
constexpr std::size_t kStart = 4 << 20;                    // used bytes before the helper starts
constexpr std::uintptr_t kAhead = 8 << 20;                 // how far ahead of the writer

}  // namespace

PageInAhead::PageInAhead(void* base, std::size_t bytes)
    : start_(reinterpret_cast<std::uintptr_t>(base)),
      begin_((start_ + kStep - 1) & ~(kStep - 1)),
      end_(reinterpret_cast<std::uintptr_t>(base) + bytes) {}

PageInAhead::~PageInAhead() {
  if (!helper_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  helper_.join();
}

void PageInAhead::advance(std::size_t used) {
  if (!tried_) {
    if (used < kStart || end_ <= begin_ + kAhead || std::thread::hardware_concurrency() < 2) return;
    tried_ = true;
    try {
      helper_ = std::thread(&PageInAhead::run, this);
    } catch (const std::exception&) {
      return;  // the pages come at the first writes, as without the helper
    }
  }
  {
    std::lock_guard lock(mutex_);
    used_ = used;
  }
  changed_.notify_one();
}

void PageInAhead::run() {
  std::uintptr_t done = begin_;  // the large pages before done are backed
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const std::size_t used = used_;
    lock.unlock();
    const std::uintptr_t wanted = start_ + std::min<std::uintptr_t>(used, end_ - start_) + kAhead;
    const std::uintptr_t target = std::min(wanted, end_) & ~(kStep - 1);
    for (; done < target; done += kStep) {
      if (!populate_for_writing(reinterpret_cast<void*>(done), kStep)) return;
    }
    if (done + kStep > end_) return;  // the rest is less than a large page
    lock.lock();
    changed_.wait(lock, [&] { return stopping_ || used_ != used; });
  }
}
