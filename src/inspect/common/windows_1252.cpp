#include "inspect/common/windows_1252.h"

#include <cstdint>
#include <optional>

#include "inspect/common/cp1252.h"

namespace {

// The code points of TEXT when it is valid UTF-8 with no overlong forms.
std::optional<std::u32string> utf8_code_points(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = 0;
    std::uint32_t code = 0;
    if (b < 0x80) {
      code = b;
    } else if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      code = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      code = b & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + extra >= text.size()) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (c & 0x3F);
    }
    if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF))) return std::nullopt;
    out.push_back(code);
    i += 1 + extra;
  }
  return out;
}

}  // namespace

std::string to_windows_1252(std::string_view text) {
  std::string out;
  if (const auto codes = utf8_code_points(text)) {
    for (std::uint32_t code : *codes) {
      const unsigned char byte = cp1252_byte_of(code);
      out.push_back(byte == 0 && code != 0 ? '?' : static_cast<char>(byte));
    }
  } else {
    out.assign(text);
  }
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) c = ' ';
  }
  return out;
}

std::string quoted_text(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  out += '\'';
  return out;
}
