#include "io/memory.h"

// Large pages on Windows need a privilege users do not have; the default
// pages serve.
void advise_large_pages(void* p, std::size_t bytes) {
  (void)p;
  (void)bytes;
}
