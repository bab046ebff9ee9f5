#include "inspect/common/console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

void use_utf8_console() { SetConsoleOutputCP(CP_UTF8); }

void binary_standard_output() {
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}
