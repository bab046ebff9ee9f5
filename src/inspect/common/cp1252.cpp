#include "inspect/common/cp1252.h"

namespace {

// 0x80 to 0x9F differ from Latin-1; 0 marks the five unassigned codes.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

unsigned char cp1252_byte_of(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (unsigned char i = 0; i < 32; ++i) {
    if (kHigh[i] != 0 && kHigh[i] == u) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

std::string utf8_from_cp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char byte : text) {
    const auto c = static_cast<unsigned char>(byte);
    char32_t u = c;
    if (c >= 0x80 && c < 0xA0) u = kHigh[c - 0x80] != 0 ? kHigh[c - 0x80] : U'?';
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

std::string cp1252_from_utf8(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 0;
    if (length == 0 || i + length > text.size()) return std::string(text);
    char32_t u = length == 1 ? c : length == 2 ? (c & 0x1F) : (c & 0x0F);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next >> 6) != 0x2) return std::string(text);
      u = (u << 6) | (next & 0x3F);
    }
    // Overlong forms are not UTF-8.
    if ((length == 2 && u < 0x80) || (length == 3 && u < 0x800)) return std::string(text);
    const unsigned char byte = cp1252_byte_of(u);
    if (byte == 0 && u != 0) return std::string(text);
    out += static_cast<char>(byte);
    i += length;
  }
  return out;
}
