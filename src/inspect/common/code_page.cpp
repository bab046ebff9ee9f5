#include "inspect/common/code_page.h"

#include <algorithm>

namespace {

// 0x80 to 0x9F differ from Latin-1; 0 marks the five unassigned codes.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void append_utf8(char32_t u, std::string* out) {
  if (u < 0x80) {
    *out += static_cast<char>(u);
  } else if (u < 0x800) {
    *out += static_cast<char>(0xC0 | (u >> 6));
    *out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (u >> 12));
    *out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

// TEXT's code points in Windows-1252 bytes, NONE for those it has no byte
// for (0: keep the text); false when TEXT is not UTF-8, or has a code
// without a byte and NONE is 0.
bool cp1252_of_utf8(std::string_view text, char none, std::string* out) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t length = utf8_sequence(text, i, &code);
    if (length == 0) return false;
    const unsigned char byte = cp1252_byte_of(code);
    if (byte == 0 && code != 0 && none == 0) return false;
    *out += byte == 0 && code != 0 ? none : static_cast<char>(byte);
    i += length;
  }
  return true;
}

}  // namespace

std::size_t utf8_sequence(std::string_view text, std::size_t at, char32_t* code) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    *code = lead;
    return 1;
  }
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || at + length > text.size()) return 0;
  char32_t u = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    u = (u << 6) | (next & 0x3F);
  }
  const bool overlong = (length == 3 && u < 0x800) || (length == 4 && u < 0x10000);
  if (overlong || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF) return 0;
  *code = u;
  return length;
}

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
    append_utf8(u, &out);
  }
  return out;
}

std::string cp1252_from_utf8(std::string_view text) {
  std::string out;
  return cp1252_of_utf8(text, 0, &out) ? out : std::string(text);
}

std::string to_windows_1252(std::string_view text) {
  std::string out;
  if (!cp1252_of_utf8(text, '?', &out)) out.assign(text);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) c = ' ';
  }
  return out;
}

std::string windows_text(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    out += to_windows_1252(text.substr(0, end));
    out += "\r\n";
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return out;
}
