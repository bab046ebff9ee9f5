#include "io/whole_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_dir.h"

namespace {

using WholeFilePosixTest = TempDirTest;

// A pipe (as a device) named as the output is never replaced by a file.
TEST_F(WholeFilePosixTest, APipeIsNotReplaced) {
  ASSERT_EQ(::mkfifo("cano", 0600), 0);
  EXPECT_FALSE(write_whole_file("cano", "{}\n"));
  EXPECT_TRUE(std::filesystem::is_fifo("cano"));
  EXPECT_FALSE(exists("cano.tmp"));
}

}  // namespace
