// The gnuplot of the Windows run of the end-to-end tests, built as
// gnuplot.exe: the inspector finds it on the search path as it finds gnuplot
// for Windows, and starts it the same way. It runs a gnuplot of the host
// (TALVIRONESKA_E2E_GNUPLOT, a Unix path) on its own arguments, passed on as
// the inspector wrote them, in its own working folder, and exits with that
// gnuplot's status. Wine starts a Unix program but gives no handle to wait
// on or to read its status from, so a shell around it writes the status to
// the file TALVIRONESKA_E2E_GNUPLOT_STATUS (a Unix path) and this waits for
// that file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// An ASCII path, or text, as UTF-16.
std::wstring widened(const char* text) {
  std::wstring wide;
  for (const char* p = text; *p != '\0'; ++p) wide += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return wide;
}

// The command line after the program's own name, as the caller wrote it.
const wchar_t* arguments_text() {
  const wchar_t* p = GetCommandLineW();
  if (*p == L'"') {
    for (++p; *p != L'\0' && *p != L'"'; ++p) {
    }
    if (*p == L'"') ++p;
  } else {
    while (*p != L'\0' && *p != L' ' && *p != L'\t') ++p;
  }
  return p;
}

}  // namespace

int main() {
  const char* gnuplot = std::getenv("TALVIRONESKA_E2E_GNUPLOT");
  const char* status_file = std::getenv("TALVIRONESKA_E2E_GNUPLOT_STATUS");
  if (gnuplot == nullptr || status_file == nullptr) return 125;
  // Wine's Z: drive holds /.
  std::wstring status_path = L"Z:";
  for (const wchar_t ch : widened(status_file)) status_path += ch == L'/' ? L'\\' : ch;
  DeleteFileW(status_path.c_str());
  // sh -c 'S=$0; "$@"; echo $? > "$S.new" && mv "$S.new" "$S"' STATUS GNUPLOT ARGUMENTS...: the
  // status file appears whole.
  std::wstring command =
      L"Z:\\bin\\sh -c \"s=$0; \\\"$@\\\"; echo $? > \\\"$s.new\\\" && mv \\\"$s.new\\\" \\\"$s\\\"\" \"" +
      widened(status_file) + L"\" \"" + widened(gnuplot) + L"\"" + arguments_text();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return 126;
  }
  // The test's own time-out ends a gnuplot that hangs; this only stops waiting long after it.
  for (int waited_ms = 0; waited_ms < 300000; waited_ms += 10) {
    if (std::FILE* in = _wfopen(status_path.c_str(), L"rb")) {
      int status = 125;
      if (std::fscanf(in, "%d", &status) != 1) status = 125;
      std::fclose(in);
      DeleteFileW(status_path.c_str());
      return status;
    }
    Sleep(10);
  }
  return 124;
}
