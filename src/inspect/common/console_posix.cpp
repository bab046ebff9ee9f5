#include "inspect/common/console.h"

// Terminals here are UTF-8 already.
void use_utf8_console() {}
