#include "inspect/common/console.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

void use_utf8_console() { SetConsoleOutputCP(CP_UTF8); }
