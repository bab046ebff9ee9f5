#include "output/chunk_pipeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

// Chunk c: its number and c % 5 filler bytes, so the sizes vary.
std::string chunk_text(std::int64_t c) {
  return std::to_string(c) + std::string(static_cast<std::size_t>(c % 5), '.') + ";";
}

std::size_t fill_chunk(std::int64_t c, char* out) {
  const std::string text = chunk_text(c);
  std::memcpy(out, text.data(), text.size());
  return text.size();
}

}  // namespace

TEST(ChunkPipeline, ChunksComeOutWholeAndInOrder) {
  for (const std::int64_t count : {0, 1, 2, 3, 4, 5, 9, 1000, 20000}) {
    std::string expected;
    for (std::int64_t c = 0; c < count; ++c) expected += chunk_text(c);
    std::string got;
    fill_in_parallel_emit_in_order(count, 32, fill_chunk, [&](std::string_view bytes) { got += bytes; });
    EXPECT_EQ(got, expected) << count << " chunks";
  }
}

TEST(ChunkPipeline, AFailingWriteStopsTheWorkAndIsReported) {
  std::atomic<std::int64_t> filled{0};
  int emitted = 0;
  const auto fill = [&](std::int64_t c, char* out) {
    ++filled;
    return fill_chunk(c, out);
  };
  const auto emit = [&](std::string_view) {
    if (emitted == 7) throw std::runtime_error("disk full");
    ++emitted;
  };
  EXPECT_THROW(fill_in_parallel_emit_in_order(100000, 32, fill, emit), std::runtime_error);
  EXPECT_EQ(emitted, 7);
  // Only the few chunks ahead of the failed write were formatted.
  EXPECT_LE(filled.load(), 7 + 4);
}
