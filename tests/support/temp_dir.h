// A fresh temporary directory that is the working directory while a test runs.
#ifndef TALVIRONESKA_TESTS_SUPPORT_TEMP_DIR_H_
#define TALVIRONESKA_TESTS_SUPPORT_TEMP_DIR_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A new, empty directory under the system's temporary directory.
inline std::filesystem::path make_temp_dir(const std::string& prefix) {
  std::random_device random;
  for (;;) {
    const auto dir = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
    if (std::filesystem::create_directory(dir)) return dir;
  }
}

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    dir_ = make_temp_dir("talvironeska-test-");
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
