// Memory hints for the large curve arrays; memory_posix.cpp and
// memory_win32.cpp implement them.
#ifndef TALVIRONESKA_IO_MEMORY_H_
#define TALVIRONESKA_IO_MEMORY_H_

#include <cstddef>

// Asks the system to back [p, p + bytes) with large pages where it can, so
// filling a long curve takes a few hundred page faults instead of tens of
// thousands. Pages still come only when first touched. A hint only.
void advise_large_pages(void* p, std::size_t bytes);

// Has the system back [p, p + bytes) with writable memory now, as the first
// writes would; p is page-aligned. False where the system cannot do it in
// one call, which changes nothing: the pages then come when first written.
bool populate_for_writing(void* p, std::size_t bytes);

// Gives the whole pages inside [p, p + bytes) back to the system: memory
// the caller never reads again (a POSIX system gives zeros if it does, the
// pages at either end that hold bytes outside the range are kept). False
// where the system cannot, which changes nothing: the memory then goes
// when it is freed. A hint only.
bool release_pages(void* p, std::size_t bytes);

#endif  // TALVIRONESKA_IO_MEMORY_H_
