#include "io/page_in_ahead.h"

#include <algorithm>

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

void PageInAhead::advance(std::size_t used) {
  if (!tried_) {
    if (used < kStart || end_ <= begin_ + kAhead) return;
    tried_ = true;
    helper_ = start_helper_thread([this] { back_pages_ahead(); });
  }
  // Told once a large page further on, so the helper is rarely behind and
  // this thread rarely waits for it.
  if (!helper_.joinable() || used < told_ + kStep) return;
  told_ = used;
  used_.put(used);
}

void PageInAhead::back_pages_ahead() {
  std::uintptr_t done = begin_;  // the large pages before done are backed
  while (const std::optional<std::size_t> used = used_.take()) {
    const std::uintptr_t wanted = start_ + std::min<std::uintptr_t>(*used, end_ - start_) + kAhead;
    const std::uintptr_t target = std::min(wanted, end_) & ~(kStep - 1);
    for (; done < target; done += kStep) {
      if (!populate_for_writing(reinterpret_cast<void*>(done), kStep)) break;
    }
    if (done < target || done + kStep > end_) break;  // failed, or the rest is less than a large page
  }
  used_.close();  // the writer tells it nothing more
}
