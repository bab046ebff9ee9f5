// Text for the case files, which the program and Notepad read as
// Windows-1252 bytes.
#ifndef TALVIRONESKA_INSPECT_COMMON_WINDOWS_1252_H_
#define TALVIRONESKA_INSPECT_COMMON_WINDOWS_1252_H_

#include <string>
#include <string_view>

// TEXT in Windows-1252. Valid UTF-8 is converted, a character with no
// Windows-1252 byte becoming '?'; anything else is taken to be Windows-1252
// already (a Windows command line in the ANSI code page) and kept. Control
// characters become blanks, so the text stays on its line.
std::string to_windows_1252(std::string_view text);

// TEXT (Windows-1252) between apostrophes, each apostrophe inside doubled:
// the list-directed reader takes it back whole.
std::string quoted_text(std::string_view text);

#endif  // TALVIRONESKA_INSPECT_COMMON_WINDOWS_1252_H_
