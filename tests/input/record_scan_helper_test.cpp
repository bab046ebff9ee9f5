#include "input/record_scan_helper.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

// The helper's list: the record lines of the common shape, in order, up to
// the first line of another shape.
TEST(RecordScanHelper, ScansUpToTheFirstOtherLine) {
  if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "one core: the helper never starts";
  const std::string block = std::string("0.5 1.25\n1 -2\r\n  1.5,\t3\n2.0 4 extra\n3 9\n") + std::string(8, '\0');
  const char* const end = block.data() + block.size() - 8;
  RecordScanHelper helper;
  ASSERT_TRUE(helper.start(block.data(), end));
  const RecordScanHelper::Found found = helper.finish();
  ASSERT_EQ(found.count, 3u);
  EXPECT_EQ(found.tlido[2], 1.5);
  EXPECT_EQ(found.Flido[1], -2.0);
  EXPECT_EQ(std::string(found.stop, 11), "2.0 4 extra");
}

// Thousands of hand-overs, as a file of some gigabytes gives: none may be
// lost (a lost wake-up hangs the reading for good).
TEST(RecordScanHelper, ManyHandOvers) {
  if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "one core: the helper never starts";
  const std::string block = std::string("1 2\n3 4\n") + std::string(8, '\0');
  RecordScanHelper helper;
  for (int i = 0; i < 20000; ++i) {
    ASSERT_TRUE(helper.start(block.data(), block.data() + 8));
    ASSERT_EQ(helper.finish().count, 2u) << "hand-over " << i;
  }
}
