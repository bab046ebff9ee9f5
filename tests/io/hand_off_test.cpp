#include "io/hand_off.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

// Values pass in order, and none is lost in thousands of hand-offs back and
// forth (a lost wake-up would hang here for good).
TEST(HandOff, ManyValuesPassInOrderBothWays) {
  HandOff<int, 3> there;
  HandOff<int> back;
  std::jthread echo([&] {
    while (const std::optional<int> v = there.take()) back.put(*v + 1);
  });
  for (int i = 0; i < 20000; ++i) {
    const bool two = i % 3 == 0;  // now and then two values at once
    ASSERT_TRUE(there.put(2 * i));
    if (two) {
      ASSERT_TRUE(there.put(2 * i + 1));
    }
    ASSERT_EQ(back.take(), 2 * i + 1) << "hand-off " << i;
    if (two) {
      ASSERT_EQ(back.take(), 2 * i + 2) << "hand-off " << i;
    }
  }
  there.close();
}

// put() waits while N values are waiting, and goes on once one is taken.
TEST(HandOff, PutWaitsWhileFull) {
  HandOff<int, 2> queue;
  ASSERT_TRUE(queue.put(1));
  ASSERT_TRUE(queue.put(2));
  std::atomic<bool> third_put{false};
  std::jthread producer([&] {
    queue.put(3);
    third_put = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(third_put);
  EXPECT_EQ(queue.take(), 1);
  producer.join();
  EXPECT_TRUE(third_put);
  EXPECT_EQ(queue.take(), 2);
  EXPECT_EQ(queue.take(), 3);
}

// close() wakes a waiting take() and a waiting put(); the values already
// waiting are still handed out, and nothing is put after it.
TEST(HandOff, CloseEndsBothSides) {
  HandOff<int> empty;
  std::optional<int> taken = 7;
  std::jthread consumer([&] { taken = empty.take(); });
  HandOff<int> full;
  ASSERT_TRUE(full.put(1));
  bool put_result = true;
  std::jthread producer([&] { put_result = full.put(2); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  empty.close();
  full.close();
  consumer.join();
  producer.join();
  EXPECT_EQ(taken, std::nullopt);
  EXPECT_FALSE(put_result);
  EXPECT_EQ(full.take(), 1);
  EXPECT_EQ(full.take(), std::nullopt);
  EXPECT_FALSE(full.put(3));
}
