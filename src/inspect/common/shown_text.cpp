#include "inspect/common/shown_text.h"

#include <cstdio>

#include "inspect/common/code_page.h"

namespace {

std::string hex_byte(unsigned char c) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", c);
  return text;
}

const char* control_name(unsigned char c) {
  switch (c) {
    case 0x00: return "NUL";
    case 0x09: return "TAB";
    case 0x0A: return "LF";
    case 0x0D: return "CR";
    case 0x1B: return "ESC";
    case 0x7F: return "DEL";
    default: return "controle";
  }
}

}  // namespace

std::string shown(std::string_view text, bool keep_lf) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c >= 0x20 && c < 0x7F) || (c == '\n' && keep_lf)) {
      out += text[i++];
      continue;
    }
    char32_t code = 0;
    const std::size_t n = c >= 0x80 ? utf8_sequence(text, i, &code) : 0;
    // U+0080 to U+009F are controls too (U+009B starts an escape sequence).
    if (n > 0 && !(code >= 0x80 && code < 0xA0) && code != 0xFEFF) {
      out.append(text.substr(i, n));
      i += n;
      continue;
    }
    out += "\\x" + hex_byte(c);
    ++i;
  }
  return out;
}

std::string invisible_bytes(std::string_view name) {
  std::string found;
  auto add = [&](const std::string& bytes, const char* what, std::size_t at, std::size_t length) {
    if (!found.empty()) found += "; ";
    found += bytes + " (" + what + ")";
    found += at == 0 ? " no início" : at + length == name.size() ? " no fim" : " na posição " + std::to_string(at + 1);
  };
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (name.substr(i, 3) == kUtf8Bom) {
      add("EF BB BF", "BOM", i, 3);
      i += 2;
    } else if (c < 0x20 || c == 0x7F) {
      add(hex_byte(c), control_name(c), i, 1);
    }
  }
  return found;
}
