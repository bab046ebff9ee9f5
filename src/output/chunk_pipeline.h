// Output made of many independent chunks (the curve data lines) is formatted
// on two cores while this thread writes it out in order, so the formatting
// and the kernel's share of the writing overlap.
#ifndef TALVIRONESKA_OUTPUT_CHUNK_PIPELINE_H_
#define TALVIRONESKA_OUTPUT_CHUNK_PIPELINE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

// fill(c, out) formats chunk c (0 <= c < count) into out, at most capacity
// bytes, and returns how many it wrote; it runs in this thread or in one
// helper thread, so it may only read shared data, and must not throw. emit(bytes) takes the
// chunks in order and always runs in this thread. An exception from emit
// stops the helper and leaves through this function. With one core, or
// when no thread can be started, this thread does everything.
void fill_in_parallel_emit_in_order(std::int64_t count, std::size_t capacity,
                                    const std::function<std::size_t(std::int64_t, char*)>& fill,
                                    const std::function<void(std::string_view)>& emit);

#endif  // TALVIRONESKA_OUTPUT_CHUNK_PIPELINE_H_
