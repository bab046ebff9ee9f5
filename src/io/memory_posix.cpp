#include "io/memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

void advise_large_pages(void* p, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
  const auto begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)p;
  (void)bytes;
#endif
}

bool populate_for_writing(void* p, std::size_t bytes) {
#if defined(__linux__)
#ifndef MADV_POPULATE_WRITE
  constexpr int MADV_POPULATE_WRITE = 23;  // Linux 5.14; older kernels say EINVAL
#endif
  return ::madvise(p, bytes, MADV_POPULATE_WRITE) == 0;
#else
  (void)p;
  (void)bytes;
  return false;
#endif
}

bool release_pages(void* p, std::size_t bytes) {
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto begin = (reinterpret_cast<std::uintptr_t>(p) + page - 1) & ~(page - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(page - 1);
  return end > begin && ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED) == 0;
}
