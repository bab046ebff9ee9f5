#include "io/os_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io/severe_error.h"
#include "io/unit.h"
#include "win32_scratch_dir.h"

namespace {

void put_file(const std::string& name, const std::string& bytes) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string file_bytes(const std::string& name) {
  std::string bytes;
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (f == nullptr) return "<missing>";
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
  std::fclose(f);
  return bytes;
}

bool exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string current_directory() {
  char buffer[MAX_PATH + 1];
  const DWORD size = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, size);
}

TEST(OsFileWin32, OpenCreatesAMissingFileEmptyInEveryMode) {
  Win32ScratchDir dir;
  for (const OpenMode mode : {OpenMode::read, OpenMode::write, OpenMode::read_write}) {
    const std::string name = "new" + std::to_string(static_cast<int>(mode)) + ".txt";
    OsHandle handle = kNoHandle;
    ASSERT_EQ(os_open_unknown(name, mode, &handle), 0) << name;
    EXPECT_TRUE(os_close(handle));
    EXPECT_EQ(file_bytes(name), "") << name;
  }
}

TEST(OsFileWin32, WritingOverwritesFromTheStartAndTruncateCuts) {
  Win32ScratchDir dir;
  put_file("old.txt", "abcdefgh");
  OsHandle handle = kNoHandle;
  ASSERT_EQ(os_open_unknown("old.txt", OpenMode::write, &handle), 0);
  EXPECT_EQ(file_bytes("old.txt"), "abcdefgh");  // never truncated at open
  ASSERT_TRUE(os_write(handle, "XY", 2));
  EXPECT_EQ(file_bytes("old.txt"), "XYcdefgh");
  ASSERT_TRUE(os_truncate(handle, 5));
  ASSERT_TRUE(os_write(handle, "Z", 1));  // the position stays after "XY"
  EXPECT_TRUE(os_close(handle));
  EXPECT_EQ(file_bytes("old.txt"), "XYZde");
}

TEST(OsFileWin32, BytesPassUntranslated) {
  Win32ScratchDir dir;
  // Text mode would add a CR before each LF and stop reading at Ctrl-Z.
  const std::string bytes("a\r\nb\nc\x1A\r\r\n\xE9\0z", 12);
  OsHandle handle = kNoHandle;
  ASSERT_EQ(os_open_unknown("bin.txt", OpenMode::read_write, &handle), 0);
  ASSERT_TRUE(os_write(handle, bytes.data(), bytes.size()));
  ASSERT_TRUE(os_seek(handle, 0));
  char buffer[64];
  EXPECT_EQ(os_read(handle, buffer, sizeof buffer), static_cast<std::ptrdiff_t>(bytes.size()));
  EXPECT_EQ(std::string(buffer, bytes.size()), bytes);
  EXPECT_EQ(os_read(handle, buffer, sizeof buffer), 0);
  ASSERT_TRUE(os_seek(handle, 9));
  EXPECT_EQ(os_read(handle, buffer, sizeof buffer), 3);
  EXPECT_TRUE(os_close(handle));
  EXPECT_EQ(file_bytes("bin.txt"), bytes);
}

TEST(OsFileWin32, AReadOnlyFileOpensForReading) {
  Win32ScratchDir dir;
  put_file("ro.txt", "kept");
  ASSERT_TRUE(SetFileAttributesA("ro.txt", FILE_ATTRIBUTE_READONLY));
  OsHandle handle = kNoHandle;
  ASSERT_EQ(os_open_unknown("ro.txt", OpenMode::read, &handle), 0);
  char buffer[8];
  EXPECT_EQ(os_read(handle, buffer, sizeof buffer), 4);
  EXPECT_TRUE(os_close(handle));
}

TEST(OsFileWin32, WritingAReadOnlyFileIsDeniedPermission) {
  Win32ScratchDir dir;
  put_file("ro.txt", "kept");
  ASSERT_TRUE(SetFileAttributesA("ro.txt", FILE_ATTRIBUTE_READONLY));
  const HANDLE probe = CreateFileA("ro.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    GTEST_SKIP() << "this user may write read-only files (root under wine)";
  }
  for (const OpenMode mode : {OpenMode::write, OpenMode::read_write}) {
    OsHandle handle = kNoHandle;
    EXPECT_EQ(os_open_unknown("ro.txt", mode, &handle), kErrPermission);
  }
  EXPECT_EQ(file_bytes("ro.txt"), "kept");
}

TEST(OsFileWin32, OpenFailuresGiveTheirNumbersAndCreateNothing) {
  Win32ScratchDir dir;
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  // Another program holding a file without sharing it: the editor, say.
  const HANDLE held = CreateFileA("held.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const struct {
    const char* what;
    std::string name;
    OpenMode mode;
    int number;
  } cases[] = {
      {"directory read", "sub", OpenMode::read, kErrOpenFailure},
      {"directory write", "sub", OpenMode::write, kErrOpenFailure},
      {"directory with separator", "sub\\", OpenMode::write, kErrOpenFailure},
      {"file held unshared", "held.txt", OpenMode::read, kErrPermission},
      {"missing directory", "nodir\\x.txt", OpenMode::write, kErrFileName},
      {"wildcard in name", "a?b.txt", OpenMode::write, kErrFileName},
      {"bracket in name", "a<b.txt", OpenMode::read, kErrFileName},
      {"name too long", std::string(300, 'n'), OpenMode::write, kErrFileName},
  };
  for (const auto& c : cases) {
    OsHandle handle = kNoHandle;
    EXPECT_EQ(os_open_unknown(c.name, c.mode, &handle), c.number) << c.what;
    EXPECT_EQ(handle, kNoHandle) << c.what;
  }
  CloseHandle(held);
  EXPECT_FALSE(exists("nodir"));
  EXPECT_FALSE(exists("a"));
}

TEST(OsFileWin32, APipeIsRefusedACharacterDeviceIsNot) {
  // A pipe with a server that never writes: reading it would wait for ever.
  const std::string pipe = "\\\\.\\pipe\\talvironeska_test_" + std::to_string(GetCurrentProcessId());
  const HANDLE server = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 4, 512, 512, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  for (const OpenMode mode : {OpenMode::read, OpenMode::write, OpenMode::read_write}) {
    OsHandle handle = kNoHandle;
    EXPECT_EQ(os_open_unknown(pipe, mode, &handle), kErrOpenFailure);
    EXPECT_EQ(handle, kNoHandle);
    handle = kNoHandle;
    ASSERT_EQ(os_open_unknown("NUL", mode, &handle), 0);
    char byte;
    if (mode != OpenMode::write) {
      EXPECT_EQ(os_read(handle, &byte, 1), 0);
    }
    EXPECT_TRUE(os_close(handle));
  }
  CloseHandle(server);
}

TEST(OsFileWin32, SameFileAsWindowsNamesFiles) {
  Win32ScratchDir dir;
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  put_file("dados.txt", "x");
  put_file("outro.txt", "x");
  ASSERT_TRUE(CreateHardLinkA("elo.txt", "dados.txt", nullptr));
  const struct {
    const char* name;
    const char* other;
    bool same;
  } cases[] = {
      {"dados.txt", "elo.txt", true},
      {"dados.txt", "outro.txt", false},
      {"DADOS.TXT", "sub\\..\\dados.txt", true},
      {"novo.txt", "NOVO.TXT. ", true},
      {"novo.txt", "sub/../Novo.txt", true},
      {"novo.txt", "novo.txt.bak", false},
      {"novo.txt", "dados.txt", false},
  };
  for (const auto& c : cases) EXPECT_EQ(os_same_file(c.name, c.other), c.same) << c.name << " " << c.other;
  EXPECT_FALSE(exists("novo.txt"));
}

TEST(OsFileWin32, FullPathIsTheSystemsOwn) {
  Win32ScratchDir dir;
  const std::string cwd = current_directory();
  const struct {
    std::string name;
    std::string path;
  } cases[] = {
      {"x.txt", cwd + "\\x.txt"},
      {"sub/x.txt", cwd + "\\sub\\x.txt"},
      {"C:\\dados\\x.txt", "C:\\dados\\x.txt"},
      {"", cwd + "\\"},
      {std::string(400, 'n'), cwd + "\\" + std::string(400, 'n')},
      {"C:\\" + std::string(400, 'n'), "C:\\" + std::string(400, 'n')},
  };
  for (const auto& c : cases) EXPECT_EQ(os_full_path(c.name), c.path) << c.name;
}

TEST(OsFileWin32, ErrorLinesNameTheFullWindowsPath) {
  Win32ScratchDir dir;
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  EXPECT_EQ(file_error_text(kErrOpenFailure, kUnitThrustData, "sub"),
            "open failure, unit 8, file " + current_directory() + "\\sub");
}

TEST(OsFileWin32, AUnitRewritesAnOldLongerFileExactly) {
  Win32ScratchDir dir;
  put_file("out.txt", std::string(5000, 'x'));
  Unit unit(kUnitReport, "out.txt", OpenMode::write);
  unit.write("linha 1\r\nlinha 2\r\n");
  unit.close();
  EXPECT_EQ(file_bytes("out.txt"), "linha 1\r\nlinha 2\r\n");
}

}  // namespace
