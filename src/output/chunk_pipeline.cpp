#include "output/chunk_pipeline.h"

#include <memory>
#include <thread>

#include "io/hand_off.h"

namespace {

// Chunk c is formatted into buffer c % kBuffers once chunk c - kBuffers is out.
constexpr std::int64_t kBuffers = 4;

}  // namespace

void fill_in_parallel_emit_in_order(std::int64_t count, std::size_t capacity,
                                    const std::function<std::size_t(std::int64_t, char*)>& fill,
                                    const std::function<void(std::string_view)>& emit) {
  if (count <= 0) return;
  std::unique_ptr<char[]> buffers[kBuffers];
  for (std::int64_t b = 0; b < count && b < kBuffers; ++b) buffers[b].reset(new char[capacity]);
  // The helper formats every chunk in turn, taking a free buffer first; this
  // thread writes them out in order and hands each buffer back.
  HandOff<bool, kBuffers> free_buffer;
  for (std::int64_t b = 0; b < kBuffers; ++b) free_buffer.put(true);
  HandOff<std::size_t, kBuffers> formatted;  // the sizes of the chunks formatted, in order
  std::jthread helper = start_helper_thread([&] {
    for (std::int64_t c = 0; c < count; ++c) {
      if (!free_buffer.take() || !formatted.put(fill(c, buffers[c % kBuffers].get()))) return;
    }
  });
  if (!helper.joinable()) {
    for (std::int64_t c = 0; c < count; ++c) emit(std::string_view(buffers[0].get(), fill(c, buffers[0].get())));
    return;
  }
  // Closed before the helper is joined, also when emit throws.
  struct Closer {
    HandOff<bool, kBuffers>& free_buffer;
    HandOff<std::size_t, kBuffers>& formatted;
    ~Closer() {
      free_buffer.close();
      formatted.close();
    }
  } closer{free_buffer, formatted};
  for (std::int64_t c = 0; c < count; ++c) {
    const std::size_t size = *formatted.take();
    emit(std::string_view(buffers[c % kBuffers].get(), size));
    free_buffer.put(true);
  }
}
