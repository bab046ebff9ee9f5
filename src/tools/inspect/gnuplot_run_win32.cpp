#include "tools/inspect/gnuplot_run.h"

#include <windows.h>

int run_gnuplot(const std::filesystem::path& dir, const std::string& script) {
  // The script's name holds no blank or quote (see the header), so quoting
  // it is enough for the program's argument parsing.
  std::wstring command = L"gnuplot \"" + std::filesystem::path(script).wstring() + L"\"";
  const std::wstring folder = dir.wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    return -1;
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}
