#include "output/chunk_pipeline.h"

#include <array>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace {

// Chunk c is formatted into slot c % kSlots once chunk c - kSlots is out.
constexpr int kSlots = 4;

struct Pipeline {
  Pipeline(std::int64_t count, std::size_t capacity) : count(count) {
    for (std::int64_t c = 0; c < count && c < kSlots; ++c) slots[static_cast<std::size_t>(c)].bytes.reset(new char[capacity]);
  }

  const std::int64_t count;
  std::mutex mutex;
  std::condition_variable_any changed;
  std::int64_t next_fill = 0;  // the first chunk nobody has taken
  std::int64_t next_emit = 0;  // the first chunk not yet written
  struct Slot {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    bool ready = false;
  };
  std::array<Slot, kSlots> slots;

  bool can_fill() const { return next_fill < count && next_fill < next_emit + kSlots; }

  // Takes the next chunk and formats it; called and returning with the lock held.
  void fill_next(std::unique_lock<std::mutex>& lock,
                 const std::function<std::size_t(std::int64_t, char*)>& fill) {
    const std::int64_t c = next_fill++;
    Slot& slot = slots[static_cast<std::size_t>(c % kSlots)];
    lock.unlock();
    const std::size_t size = fill(c, slot.bytes.get());
    lock.lock();
    slot.size = size;
    slot.ready = true;
    changed.notify_all();
  }
};

void helper(std::stop_token stop, Pipeline& pipeline,
            const std::function<std::size_t(std::int64_t, char*)>& fill) {
  std::unique_lock lock(pipeline.mutex);
  while (!stop.stop_requested()) {
    if (!pipeline.changed.wait(lock, stop, [&] { return pipeline.next_fill >= pipeline.count || pipeline.can_fill(); }))
      return;
    if (pipeline.next_fill >= pipeline.count) return;
    pipeline.fill_next(lock, fill);
  }
}

}  // namespace

void fill_in_parallel_emit_in_order(std::int64_t count, std::size_t capacity,
                                    const std::function<std::size_t(std::int64_t, char*)>& fill,
                                    const std::function<void(std::string_view)>& emit) {
  if (count <= 0) return;
  Pipeline pipeline(count, capacity);
  std::jthread helper_thread;  // joined before the pipeline goes, also on an exception
  if (count > 1 && std::thread::hardware_concurrency() > 1) {
    try {
      helper_thread = std::jthread(helper, std::ref(pipeline), std::cref(fill));
    } catch (const std::exception&) {
      // No thread to be had: this one does everything.
    }
  }
  std::unique_lock lock(pipeline.mutex);
  while (pipeline.next_emit < count) {
    auto& slot = pipeline.slots[static_cast<std::size_t>(pipeline.next_emit % kSlots)];
    if (slot.ready) {
      lock.unlock();
      emit(std::string_view(slot.bytes.get(), slot.size));
      lock.lock();
      slot.ready = false;
      ++pipeline.next_emit;
      pipeline.changed.notify_all();
    } else if (pipeline.can_fill()) {
      pipeline.fill_next(lock, fill);
    } else {
      pipeline.changed.wait(lock);
    }
  }
}
