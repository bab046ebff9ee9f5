// A small text file read whole into memory: a calibration table, a .cal file.
#ifndef TALVIRONESKA_INSPECT_CALIBRATION_SMALL_FILE_H_
#define TALVIRONESKA_INSPECT_CALIBRATION_SMALL_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

// The bytes of the file NAME (never changed) into *TEXT. False with
// *PROBLEM, in Portuguese and naming the file, when it cannot be opened or
// read, holds more than MAX_BYTES, or holds a zero byte (UTF-16, binary).
bool read_small_file(const std::string& name, std::size_t max_bytes, std::string* text, std::string* problem);

// TEXT without the UTF-8 byte order mark some editors put at its start.
std::string_view without_bom(std::string_view text);

// The next line of TEXT from *AT into *LINE, without its end: LF, CR LF or
// a lone CR; *AT moves past the end. False at the end of TEXT.
bool next_text_line(std::string_view text, std::size_t* at, std::string_view* line);

#endif  // TALVIRONESKA_INSPECT_CALIBRATION_SMALL_FILE_H_
