#include "io/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_dir.h"

namespace {

using WholeFileTest = TempDirTest;

TEST_F(WholeFileTest, ReplacesTheFileAndLeavesNoTemporaryOne) {
  write_file("saida.json", "old");
  write_file("saida.json.tmp", "someone's");
  ASSERT_TRUE(write_whole_file("saida.json", "{\"version\": 1}\n"));
  EXPECT_EQ(read_file("saida.json"), "{\"version\": 1}\n");
  // A file that has the first temporary name is not touched: the next name is taken.
  EXPECT_EQ(read_file("saida.json.tmp"), "someone's");
  EXPECT_FALSE(exists("saida.json.1.tmp"));
}

TEST_F(WholeFileTest, AFailureLeavesNothingNew) {
  // A folder cannot be replaced by a file; a missing folder holds nothing.
  std::filesystem::create_directory("pasta");
  write_file("pasta/dentro", "x");
  EXPECT_FALSE(write_whole_file("pasta", "{}\n"));
  EXPECT_EQ(read_file("pasta/dentro"), "x");
  EXPECT_FALSE(write_whole_file("nada/saida.json", "{}\n"));
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1u);
}

}  // namespace
