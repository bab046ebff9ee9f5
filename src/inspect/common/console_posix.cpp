#include "inspect/common/console.h"

// Terminals here are UTF-8 already.
void use_utf8_console() {}

// Here the standard output is binary already.
void binary_standard_output() {}
