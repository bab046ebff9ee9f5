#include "run/launcher.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "win32_scratch_dir.h"

namespace {

constexpr DWORD kCodeBase = 0x2FFF0000;

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

void put_file(const std::string& name, const std::string& bytes) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// Each test runs in a scratch directory, which the launched commands share,
// with COMSPEC put back as it was afterwards.
class LauncherWin32 : public ::testing::Test {
 protected:
  LauncherWin32() {
    char buffer[32768];
    const DWORD size = GetEnvironmentVariableA("COMSPEC", buffer, sizeof buffer);
    if (size > 0 && size < sizeof buffer) comspec_ = std::string(buffer, size);
  }
  ~LauncherWin32() override { SetEnvironmentVariableA("COMSPEC", comspec_ ? comspec_->c_str() : nullptr); }

  static void set_comspec(const char* value) { SetEnvironmentVariableA("COMSPEC", value); }

  Win32ScratchDir dir_;

 private:
  std::optional<std::string> comspec_;
};

TEST_F(LauncherWin32, ReturnsTheInterpretersExitCode) {
  set_comspec("cmd.exe");
  EXPECT_EQ(launch("exit 5"), 5);
  EXPECT_EQ(launch("exit 0"), 0);
}

TEST_F(LauncherWin32, FallsBackToTheSystemFoldersCmdWhenComspecIsUnsetOrEmpty) {
  // Not a program: started, it would fail the launch.
  put_file("cmd.exe", "not a program");
  set_comspec(nullptr);
  EXPECT_EQ(launch("exit 3"), 3);
  set_comspec("");
  EXPECT_EQ(launch("exit 4"), 4);
}

TEST_F(LauncherWin32, HandsTheInterpreterSlashCAndTheTrimmedCommand) {
  // The interpreter here is "cmd.exe /c >seen.txt echo", so the file shows
  // what the launcher put after the interpreter's path.
  set_comspec("cmd.exe /c >seen.txt echo");
  const struct {
    const char* command;
    const char* seen;
  } cases[] = {
      {"Notepad x.txt   ", "/c Notepad x.txt\r\n"},
      {"Notepad  ensaio 7_saida_A.txt", "/c Notepad  ensaio 7_saida_A.txt\r\n"},
      {"Wgnuplot talvironeska_2p1_curva_F-t.gnu", "/c Wgnuplot talvironeska_2p1_curva_F-t.gnu\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(launch(c.command), 0) << c.command;
    EXPECT_EQ(file_bytes("seen.txt"), c.seen) << c.command;
  }
}

TEST_F(LauncherWin32, TheInterpreterIsToldNotToSearchTheWorkingFolder) {
  set_comspec(nullptr);
  EXPECT_EQ(launch("echo [%NoDefaultCurrentDirectoryInExePath%]>seen.txt"), 0);
  EXPECT_EQ(file_bytes("seen.txt"), "[1]\r\n");
}

TEST_F(LauncherWin32, ComspecOfAtMost260Characters) {
  // Blanks after the path keep it a working interpreter of the given length.
  const std::string longest = "cmd.exe" + std::string(253, ' ');
  set_comspec(longest.c_str());
  EXPECT_EQ(launch("exit 6"), 6);

  const std::string too_long = longest + " ";
  set_comspec(too_long.c_str());
  SetLastError(0);
  EXPECT_EQ(launch("exit 6"), -1);
  EXPECT_EQ(GetLastError(), kCodeBase + 2);
}

TEST_F(LauncherWin32, CommandsOfAtMost1024Characters) {
  // "echo", inner blanks, "x>started.txt": runs only when accepted.
  const auto command = [](std::size_t length) {
    const std::string tail = "x>started.txt";
    return "echo" + std::string(length - 4 - tail.size(), ' ') + tail;
  };
  EXPECT_EQ(launch(command(1024) + std::string(50, ' ')), 0);
  EXPECT_NE(file_bytes("started.txt"), "<missing>");
  ASSERT_TRUE(DeleteFileA("started.txt"));

  SetLastError(0);
  EXPECT_EQ(launch(command(1025)), -1);
  EXPECT_EQ(GetLastError(), kCodeBase + 7);
  EXPECT_EQ(file_bytes("started.txt"), "<missing>");
}

TEST_F(LauncherWin32, AMissingProgramIsTheInterpretersBusiness) {
  set_comspec(nullptr);
  EXPECT_EQ(launch("talvironeska_no_such_program x.txt"), 9009);
}

TEST_F(LauncherWin32, CreationFailuresAreRecorded) {
  put_file("text.exe", "not a program");
  const std::string text_exe = dir_.path() + "\\text.exe";
  const struct {
    std::string comspec;
    DWORD code;
  } cases[] = {
      {"C:\\talvironeska_no_such_dir\\cmd.exe", 2},
      {"talvironeska_no_such_interpreter.exe", 2},
      {text_exe, 8},
  };
  for (const auto& c : cases) {
    set_comspec(c.comspec.c_str());
    SetLastError(0);
    EXPECT_EQ(launch("exit 1"), -1) << c.comspec;
    EXPECT_EQ(GetLastError(), kCodeBase + c.code) << c.comspec;
  }
}

TEST_F(LauncherWin32, WaitsUntilTheCommandHasEnded) {
  // The batch file spins for a while before it writes its mark; its text is
  // ASCII and it gets the mark's name through the environment.
  set_comspec(nullptr);
  put_file("slow.bat",
           "@echo off\r\n"
           "for /l %%i in (1,1,5000) do rem\r\n"
           "echo done>\"%TALVIRONESKA_MARK%\"\r\n"
           "exit /b 7\r\n");
  SetEnvironmentVariableA("TALVIRONESKA_MARK", "mark.txt");
  EXPECT_EQ(launch("slow.bat"), 7);
  EXPECT_EQ(file_bytes("mark.txt"), "done\r\n");
  SetEnvironmentVariableA("TALVIRONESKA_MARK", nullptr);
}

}  // namespace
