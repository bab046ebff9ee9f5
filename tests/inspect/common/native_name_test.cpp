#include "inspect/common/native_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include "../../support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

using NativeNameTest = TempDirTest;

struct Name {
  std::string native;  // as argv and fopen take it: UTF-8, or Windows-1252 on Windows
  std::string utf8;    // as the console shows it
};

// Letters of Portuguese, and the Windows-1252 characters past Latin-1
// (euro sign, curly quotes, en dash), which a byte-for-character reading
// gets wrong.
const Name kNames[] = {
#ifdef _WIN32
    {"queima3_\xE7\xE3o.dat", "queima3_\xC3\xA7\xC3\xA3o.dat"},
    {"custo \x80 5.dat", "custo \xE2\x82\xAC 5.dat"},
    {"\x93"
     "ensaio\x94 \x96 1.csv",
     "\xE2\x80\x9C"
     "ensaio\xE2\x80\x9D \xE2\x80\x93 1.csv"},
#else
    {"queima3_\xC3\xA7\xC3\xA3o.dat", "queima3_\xC3\xA7\xC3\xA3o.dat"},
    {"custo \xE2\x82\xAC 5.dat", "custo \xE2\x82\xAC 5.dat"},
#endif
    {"plain-name_1.dat", "plain-name_1.dat"},
};

bool ansi_code_page_is_1252() {
#ifdef _WIN32
  return GetACP() == 1252;
#else
  return true;
#endif
}

// A file made by its narrow name is the file the path names, and listing
// the folder gives the name back.
TEST_F(NativeNameTest, PathsAndNamesAgreeWithTheFileCalls) {
  if (!ansi_code_page_is_1252()) GTEST_SKIP() << "the names are Windows-1252";
  for (const Name& name : kNames) {
    SCOPED_TRACE(name.utf8);
    std::FILE* file = std::fopen(name.native.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("12345", file);
    std::fclose(file);
    const fs::path path = path_of_name(name.native);
    std::error_code error;
    EXPECT_EQ(fs::file_size(path, error), 5u) << error.message();
    EXPECT_EQ(name_of_path(path), name.native);
    EXPECT_EQ(name_of_path(fs::current_path() / path),
              name_of_path(fs::current_path()) + static_cast<char>(fs::path::preferred_separator) + name.native);
    std::vector<std::string> listed;
    for (const auto& entry : fs::directory_iterator(".")) listed.push_back(name_of_path(entry.path().filename()));
    EXPECT_EQ(listed, std::vector<std::string>{name.native});
    EXPECT_EQ(console_name(name.native), name.utf8);
    fs::remove(path, error);
    EXPECT_FALSE(error) << error.message();
  }
}

}  // namespace
