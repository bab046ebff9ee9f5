// The inspector's two code pages: UTF-8, the code of the console and of file
// names on POSIX systems, and Windows-1252, the code of the files the program
// and Notepad read (case files, the series' report). One decoder of UTF-8,
// one table of Windows-1252.
#ifndef TALVIRONESKA_INSPECT_COMMON_CODE_PAGE_H_
#define TALVIRONESKA_INSPECT_COMMON_CODE_PAGE_H_

#include <cstddef>
#include <string>
#include <string_view>

// The byte order mark some editors and spreadsheets put before UTF-8 text:
// no part of the text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence at TEXT[AT], its code point in *CODE; 0
// when there is none there: a stray or missing continuation byte, a form
// longer than needed, a surrogate or a code past U+10FFFF.
std::size_t utf8_sequence(std::string_view text, std::size_t at, char32_t* code);

// The Windows-1252 byte of code point U, or 0 when it has none.
unsigned char cp1252_byte_of(char32_t u);

// TEXT as UTF-8; the five codes Windows-1252 leaves unassigned become '?'.
std::string utf8_from_cp1252(std::string_view text);

// TEXT in Windows-1252 when it is UTF-8 that Windows-1252 can hold; any
// other text (plain ASCII, or already Windows-1252) is returned as it is.
std::string cp1252_from_utf8(std::string_view text);

// TEXT in Windows-1252 for a line of a case file. Valid UTF-8 is converted,
// a character with no Windows-1252 byte becoming '?'; anything else is taken
// to be Windows-1252 already (a Windows command line in the ANSI code page)
// and kept. Control characters become blanks, so the text stays on its line.
std::string to_windows_1252(std::string_view text);

// TEXT, lines of UTF-8 each ended by LF, as a file for Notepad: each line by
// to_windows_1252(), ended by CR LF.
std::string windows_text(std::string_view text);

#endif  // TALVIRONESKA_INSPECT_COMMON_CODE_PAGE_H_
