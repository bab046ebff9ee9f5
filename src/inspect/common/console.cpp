#include "inspect/common/console.h"

#include <string>

#include "inspect/common/shown_text.h"

void put(std::string_view text, std::FILE* stream) {
  const std::string bytes = shown(text, true);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

bool standard_output_ok() { return std::fflush(stdout) == 0 && std::ferror(stdout) == 0; }
