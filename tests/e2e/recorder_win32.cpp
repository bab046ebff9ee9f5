// A viewer stand-in for the Windows run of the end-to-end tests, where a
// batch file cannot take every name whole: wine's batch files expand a % in
// their arguments a second time. This program appends the name it was
// started as and its arguments as main() gets them, joined by blanks, as one
// line to the launch log (TALVIRONESKA_E2E_LOG): what a Windows viewer opens.
// With TALVIRONESKA_E2E_RECORD_VARIABLE naming a variable, the line ends in
// " [NAME=value]", the value as this program got it ("" when unset): it then
// serves as an interpreter (COMSPEC) that shows its environment.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* log = std::getenv("TALVIRONESKA_E2E_LOG");
  if (log == nullptr) return 2;
  std::FILE* file = std::fopen(log, "ab");
  if (file == nullptr) return 2;
  std::fputs(argv[0], file);
  std::fputs(" ", file);
  for (int i = 1; i < argc; ++i) {
    if (i > 1) std::fputs(" ", file);
    std::fputs(argv[i], file);
  }
  if (const char* name = std::getenv("TALVIRONESKA_E2E_RECORD_VARIABLE")) {
    const char* value = std::getenv(name);
    std::fprintf(file, " [%s=%s]", name, value != nullptr ? value : "");
  }
  std::fputs("\r\n", file);
  return std::fclose(file) == 0 ? 0 : 2;
}
