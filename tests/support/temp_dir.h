// A fresh temporary directory that is the working directory while a test runs.
#ifndef TALVIRONESKA_TESTS_SUPPORT_TEMP_DIR_H_
#define TALVIRONESKA_TESTS_SUPPORT_TEMP_DIR_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "talvironeska-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }

  static void write_file(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary);
    out << bytes;
  }
  static std::string read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool exists(const std::string& name) { return std::filesystem::exists(name); }
  std::string path_of(const std::string& name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
  std::filesystem::path old_;
};

#endif  // TALVIRONESKA_TESTS_SUPPORT_TEMP_DIR_H_
