// The character classes of the list-directed forms.
#ifndef TALVIRONESKA_INPUT_CHAR_CLASS_H_
#define TALVIRONESKA_INPUT_CHAR_CLASS_H_

namespace char_class {

inline bool is_blank(char c) { return c == ' ' || c == '\t'; }

inline bool is_digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// A value ends at a blank, a tab, a comma or a slash (or at the line's end).
inline bool ends_value(char c) { return is_blank(c) || c == ',' || c == '/'; }

inline bool is_exponent_letter(char c) {
  switch (c) {
    case 'E':
    case 'e':
    case 'D':
    case 'd':
    case 'Q':
    case 'q': return true;
    default: return false;
  }
}

}  // namespace char_class

#endif  // TALVIRONESKA_INPUT_CHAR_CLASS_H_
