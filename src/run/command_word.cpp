#include "run/command_word.h"

namespace {

// The letters of Windows-1252 above ASCII: the accented Latin letters, the
// ordinal indicators and micro sign, and S, Z, OE, Y with their marks.
bool is_letter_1252(unsigned char ch) {
  switch (ch) {
    case 0x83:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:
    case 0xB5:
    case 0xBA: return true;
    default: return ch >= 0xC0 && ch != 0xD7 && ch != 0xF7;
  }
}

bool is_plain_character(char ch, std::string_view also_plain) {
  const auto byte = static_cast<unsigned char>(ch);
  if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) return true;
  if (ch == '.' || ch == '_' || ch == '-' || ch == '+') return true;
  return byte >= 0x80 ? is_letter_1252(byte) : also_plain.find(ch) != std::string_view::npos;
}

// A blank is plain only between two other characters and never next to
// another blank: the interpreter splits words there, and the viewer joins
// them again with one blank.
bool is_plain(std::string_view name, std::string_view also_plain) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == ' ') {
      if (i == 0 || i + 1 == name.size() || name[i + 1] == ' ') return false;
    } else if (!is_plain_character(name[i], also_plain)) {
      return false;
    }
  }
  return true;
}

std::string_view up_to_nul(std::string_view name) { return name.substr(0, name.find('\0')); }

}  // namespace

std::string sh_word(std::string_view name) {
  name = up_to_nul(name);
  if (is_plain(name, ",:@/=%")) return std::string(name);
  std::string word = "'";
  for (const char ch : name) {
    if (ch == '\'') {
      word += "'\\''";
    } else {
      word += ch;
    }
  }
  word += '\'';
  return word;
}

std::string cmd_word(std::string_view name) {
  name = up_to_nul(name);
  if (is_plain(name, "\\:/")) return std::string(name);
  std::string word;
  bool quoted = false;
  for (const char ch : name) {
    if (ch == '"') continue;
    if ((ch == '%') == quoted) {
      word += '"';
      quoted = !quoted;
    }
    word += ch;
  }
  if (quoted) word += '"';
  return word;
}
