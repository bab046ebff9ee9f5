// CHECK for the fuzz targets: a failed condition prints where and aborts, so
// libFuzzer keeps the input that caused it.
#ifndef TALVIRONESKA_FUZZ_CHECK_H_
#define TALVIRONESKA_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>
#include <cstring>

#define CHECK(condition)                                                                 \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

inline bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

#endif  // TALVIRONESKA_FUZZ_CHECK_H_
