// Windows launches: "COMSPEC /c command" through CreateProcessA, waited for
// without time-out. No program is taken from the working folder, where a
// case's files lie: cmd.exe is told not to search it (Windows 10 and 11 obey
// NoDefaultCurrentDirectoryInExePath), and without COMSPEC the system
// folder's cmd.exe is started by its full path.
#include "run/launcher.h"

#include <cstring>
#include <memory>
#include <new>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "run/command_word.h"

namespace {

constexpr std::size_t kMaxCommand = 1024;
constexpr DWORD kInterpreterBuffer = 261;  // 260 characters and the NUL
constexpr char kSwitch[] = " /c ";
constexpr std::size_t kSwitchLength = sizeof kSwitch - 1;
constexpr char kInterpreterName[] = "\\cmd.exe";

// Why a launch failed, as the C library's error numbers.
constexpr DWORD kE2big = 7;
constexpr DWORD kEnoent = 2;
constexpr DWORD kEnoexec = 8;
constexpr DWORD kEnomem = 12;
constexpr DWORD kCodeBase = 0x2FFF0000;

int fail(DWORD code) {
  SetLastError(kCodeBase + code);
  return -1;
}

// The system folder's cmd.exe written at OUT (room for kInterpreterBuffer
// bytes), between quotation marks when the folder holds a blank; its
// length, or 0 when the folder cannot be had.
DWORD system_interpreter(char* out) {
  char folder[kInterpreterBuffer];
  const DWORD size = GetSystemDirectoryA(folder, sizeof folder);
  constexpr DWORD kName = sizeof kInterpreterName - 1;
  if (size == 0 || size + kName + 2 >= kInterpreterBuffer) return 0;
  const bool quoted = std::memchr(folder, ' ', size) != nullptr;
  DWORD length = 0;
  if (quoted) out[length++] = '"';
  std::memcpy(out + length, folder, size);
  length += size;
  std::memcpy(out + length, kInterpreterName, kName);
  length += kName;
  if (quoted) out[length++] = '"';
  return length;
}

DWORD creation_failure_code(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return kEnoent;
    case ERROR_BAD_FORMAT:
    case ERROR_BAD_EXE_FORMAT: return kEnoexec;
    default: return kEnomem;
  }
}

}  // namespace

int launch(std::string_view command) {
  const std::size_t last = command.find_last_not_of(' ');
  const std::size_t length = last == std::string_view::npos ? 0 : last + 1;
  if (length > kMaxCommand) return fail(kE2big);

  // The interpreter's path is read straight into the start of the command
  // line: 261 bytes for it, 4 for " /c ", the command and its NUL.
  std::unique_ptr<char[]> line(new (std::nothrow) char[length + kInterpreterBuffer + kSwitchLength]);
  if (!line) return fail(kEnomem);
  DWORD interpreter = GetEnvironmentVariableA("COMSPEC", line.get(), kInterpreterBuffer);
  if (interpreter >= kInterpreterBuffer) return fail(kEnoent);
  if (interpreter == 0) interpreter = system_interpreter(line.get());
  if (interpreter == 0) return fail(kEnoent);
  char* p = line.get() + interpreter;
  std::memcpy(p, kSwitch, kSwitchLength);
  p += kSwitchLength;
  std::memcpy(p, command.data(), length);
  p[length] = '\0';

  // The interpreter gets the run's environment, and with it this setting.
  SetEnvironmentVariableA("NoDefaultCurrentDirectoryInExePath", "1");

  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, line.get(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return fail(creation_failure_code(GetLastError()));
  }
  line.reset();

  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 0;
  const bool have_code = GetExitCodeProcess(process.hProcess, &exit_code) != 0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!have_code) return fail(kEnomem);
  return static_cast<int>(exit_code);
}

std::string command_word(std::string_view name) { return cmd_word(name); }
