// The trimmed form of a text field, used for every file name and command line.
#ifndef TALVIRONESKA_CORE_TRIMMED_H_
#define TALVIRONESKA_CORE_TRIMMED_H_

#include <array>
#include <string_view>

// The field without its leading and then its trailing blanks. Only the blank
// (code 32) counts; tabs and NUL bytes are kept, so an unassigned field stays
// all NUL. The view points into the field.
std::string_view trimmed(std::string_view field);

template <std::size_t N>
std::string_view trimmed(const std::array<char, N>& field) {
  return trimmed(std::string_view(field.data(), N));
}

#endif  // TALVIRONESKA_CORE_TRIMMED_H_
