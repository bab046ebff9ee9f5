// The one way work is shared between threads here: a bounded hand-off of
// values from one thread to one other, and a helper thread started only
// where it can help.
#ifndef TALVIRONESKA_IO_HAND_OFF_H_
#define TALVIRONESKA_IO_HAND_OFF_H_

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// Up to N values on their way from one thread to another, oldest first.
// put() waits while N are waiting, take() while none is. After close() no
// value is put any more; take() still hands out those waiting, then nothing.
// A mutex and a condition variable, not an atomic wait: some thread
// libraries' atomic waits can miss a wake-up that comes just before the wait.
template <class T, std::size_t N = 1>
class HandOff {
 public:
  // False, handing nothing over, once closed.
  bool put(T value) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || size_ < N; });
    if (closed_) return false;
    values_[(first_ + size_) % N] = std::move(value);
    ++size_;
    changed_.notify_all();
    return true;
  }

  // The oldest value waiting; nothing once closed with none left.
  std::optional<T> take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || size_ > 0; });
    if (size_ == 0) return std::nullopt;
    std::optional<T> value(std::move(values_[first_]));
    first_ = (first_ + 1) % N;
    --size_;
    changed_.notify_all();
    return value;
  }

  void close() {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<T, N> values_{};
  std::size_t first_ = 0;
  std::size_t size_ = 0;
  bool closed_ = false;
};

// A thread running work(), or none (not joinable) on one core or when no
// thread can be had: the caller then does the work itself.
template <class Work>
std::jthread start_helper_thread(Work&& work) {
  if (std::thread::hardware_concurrency() < 2) return {};
  try {
    return std::jthread(std::forward<Work>(work));
  } catch (const std::exception&) {
    return {};
  }
}

#endif  // TALVIRONESKA_IO_HAND_OFF_H_
