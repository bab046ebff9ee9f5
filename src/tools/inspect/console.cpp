#include "tools/inspect/console.h"

#include <string>

#include "tools/inspect/shown_text.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

void use_utf8_console() {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);
#endif
}

void put(std::string_view text, std::FILE* stream) {
  const std::string bytes = shown(text, true);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

bool standard_output_ok() { return std::fflush(stdout) == 0 && std::ferror(stdout) == 0; }
