// Windows-1252, the code of the series' files, and UTF-8, the code of the
// console and of file names on POSIX systems.
#ifndef TALVIRONESKA_INSPECT_COMMON_CP1252_H_
#define TALVIRONESKA_INSPECT_COMMON_CP1252_H_

#include <string>
#include <string_view>

// TEXT as UTF-8; the five codes Windows-1252 leaves unassigned become '?'.
std::string utf8_from_cp1252(std::string_view text);

// TEXT in Windows-1252 when it is UTF-8 that Windows-1252 can hold; any
// other text (plain ASCII, or already Windows-1252) is returned as it is.
std::string cp1252_from_utf8(std::string_view text);

// The Windows-1252 byte of code point U, or 0 when it has none.
unsigned char cp1252_byte_of(char32_t u);

#endif  // TALVIRONESKA_INSPECT_COMMON_CP1252_H_
