#include "io/page_in_ahead.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>

#include "io/memory.h"

// The helper backs pages while this thread writes just behind it: every
// value written stays, and the helper stops whether the writing reaches the
// end of the array or stops early.
TEST(PageInAhead, WritesSurviveAndTheHelperStops) {
  constexpr std::size_t n = std::size_t{6} << 20;  // 48 MB of doubles
  for (const std::size_t written : {n, n / 3, std::size_t{1000}}) {
    std::unique_ptr<double[]> F(new double[n]);
    advise_large_pages(F.get(), n * sizeof(double));
    {
      PageInAhead page_in(F.get(), n * sizeof(double));
      for (std::size_t i = 0; i < written; ++i) {
        F[i] = static_cast<double>(i) * 0.5;
        if (i % 65536 == 0) page_in.advance(i * sizeof(double));
      }
    }
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < written; ++i) wrong += F[i] != static_cast<double>(i) * 0.5;
    EXPECT_EQ(wrong, 0u) << written << " values written";
  }
}
