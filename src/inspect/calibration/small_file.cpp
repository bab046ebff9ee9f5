#include "inspect/calibration/small_file.h"

#include <cstdio>
#include <memory>

#include "inspect/common/code_page.h"
#include "inspect/common/native_name.h"

bool read_small_file(const std::string& name, std::size_t max_bytes, std::string* text, std::string* problem) {
  text->clear();
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(name.c_str(), "rb"), &std::fclose);
  if (!file) {
    *problem = "não foi possível abrir " + console_name(name);
    return false;
  }
  char block[65536];
  for (std::size_t got = 1; got > 0 && text->size() <= max_bytes;) {
    got = std::fread(block, 1, sizeof block, file.get());
    text->append(block, got);
  }
  if (std::ferror(file.get())) {
    *problem = "erro ao ler " + console_name(name);
  } else if (text->size() > max_bytes) {
    *problem = console_name(name) + " tem mais de " + std::to_string(max_bytes >> 10) + " KiB: grande demais";
  } else if (text->find('\0') != std::string::npos) {
    *problem = console_name(name) + " não é texto de um byte por caractere (bytes nulos, UTF-16)";
  } else {
    return true;
  }
  return false;
}

std::string_view without_bom(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  return text;
}

bool next_text_line(std::string_view text, std::size_t* at, std::string_view* line) {
  if (*at >= text.size()) return false;
  std::size_t end = *at;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  *line = text.substr(*at, end - *at);
  *at = end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
  return true;
}
