#include "inspect/common/gnuplot_run.h"

#include <windows.h>

#include <string>

#include "inspect/common/program_command.h"

namespace {

std::wstring environment_value(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// The entries of the search path PATH that name a folder from a drive's
// root or a share (C:\\..., \\\\server\\...): an empty or relative entry would
// be looked up from the working folder.
std::wstring absolute_entries(const std::wstring& path) {
  std::wstring kept;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(L';', start);
    if (end == std::wstring::npos) end = path.size();
    const std::wstring entry = path.substr(start, end - start);
    const bool drive = entry.size() >= 3 && entry[1] == L':' && (entry[2] == L'\\' || entry[2] == L'/');
    const bool share = entry.size() >= 2 && (entry[0] == L'\\' || entry[0] == L'/') && entry[1] == entry[0];
    if (drive || share) kept += (kept.empty() ? L"" : L";") + entry;
    start = end + 1;
  }
  return kept;
}

// gnuplot.exe in this program's own folder or in an absolute folder of the
// search path; empty when there is none. CreateProcess would look in the
// working folder as well, before the search path: that is where the user's
// firings are, and a gnuplot.exe that came with them must not be run.
std::wstring gnuplot_program() {
  const std::wstring self = own_executable().wstring();
  if (self.empty()) return {};
  const std::wstring folders =
      self.substr(0, self.find_last_of(L"\\/")) + L";" + absolute_entries(environment_value(L"PATH"));
  std::wstring found(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        SearchPathW(folders.c_str(), L"gnuplot.exe", nullptr, static_cast<DWORD>(found.size()), found.data(), nullptr);
    if (n == 0) return {};
    if (n < found.size()) {
      found.resize(n);
      return found;
    }
    found.resize(n);
  }
}

}  // namespace

int run_gnuplot(const std::filesystem::path& dir, const std::string& script) {
  const std::wstring program = gnuplot_program();
  if (program.empty()) return -1;
  // The script's name holds no blank or quote (see the header), so quoting
  // it is enough for the program's argument parsing.
  std::wstring command = L"gnuplot \"" + std::filesystem::path(script).wstring() + L"\"";
  const std::wstring folder = dir.wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
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
