#include "io/memory.h"

// Large pages on Windows need a privilege users do not have; the default
// pages serve.
void advise_large_pages(void* p, std::size_t bytes) {
  (void)p;
  (void)bytes;
}

// Touching the pages from another thread would race with the writer; the
// pages come when first written.
bool populate_for_writing(void* p, std::size_t bytes) {
  (void)p;
  (void)bytes;
  return false;
}

// The heap's memory stays with the process until it is freed; the pages
// that a reset would give up are read again as anything at all.
bool release_pages(void* p, std::size_t bytes) {
  (void)p;
  (void)bytes;
  return false;
}
