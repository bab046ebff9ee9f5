#define WIN32_LEAN_AND_MEAN
#include "inspect/import/temp_files.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace {

std::wstring g_paths[kMaxTemporaryFiles];
std::atomic<std::size_t> g_count{0};

// Runs on a thread of its own when the console is interrupted or closed;
// FALSE lets the default handling end the process.
BOOL WINAPI remove_on_event(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
    const std::size_t n = g_count.exchange(0);
    for (std::size_t i = 0; i < n; ++i) DeleteFileW(g_paths[i].c_str());
  }
  return FALSE;
}

}  // namespace

void remove_on_interrupt(std::span<const std::filesystem::path> paths) {
  g_count = 0;
  std::size_t n = 0;
  for (const auto& path : paths) {
    if (n == kMaxTemporaryFiles) break;
    g_paths[n++] = std::filesystem::absolute(path).wstring();
  }
  g_count = n;
  SetConsoleCtrlHandler(remove_on_event, TRUE);
}

void forget_temporary_files() {
  g_count = 0;
  SetConsoleCtrlHandler(remove_on_event, FALSE);
}
