// The console the report is written to.
#ifndef TALVIRONESKA_INSPECT_COMMON_CONSOLE_H_
#define TALVIRONESKA_INSPECT_COMMON_CONSOLE_H_

#include <cstdio>
#include <string_view>

// The report is UTF-8: on Windows the console is switched to that code page
// (it starts in the OEM one); elsewhere terminals are UTF-8 already.
void use_utf8_console();

// Bytes written on the standard output from now on reach it unchanged: on
// Windows it leaves text mode, which would turn each LF into CR LF.
void binary_standard_output();

// Writes TEXT on STREAM, a control byte in it (but the line ends) shown as
// \xNN: names from files and the command line reach the terminal as text,
// never as an escape sequence.
void put(std::string_view text, std::FILE* stream);

// True when all that was written on the standard output so far reached it:
// flushes it and looks at its error flag (a full disk, a closed stream).
bool standard_output_ok();

#endif  // TALVIRONESKA_INSPECT_COMMON_CONSOLE_H_
