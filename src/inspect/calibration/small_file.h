// A small text file read whole into memory: a calibration table, a .cal file.
#ifndef TALVIRONESKA_INSPECT_CALIBRATION_SMALL_FILE_H_
#define TALVIRONESKA_INSPECT_CALIBRATION_SMALL_FILE_H_

#include <cstddef>
#include <string>

// The bytes of the file NAME (never changed) into *TEXT. False with
// *PROBLEM, in Portuguese and naming the file, when it cannot be opened or
// read, holds more than MAX_BYTES, or holds a zero byte (UTF-16, binary).
bool read_small_file(const std::string& name, std::size_t max_bytes, std::string* text, std::string* problem);

#endif  // TALVIRONESKA_INSPECT_CALIBRATION_SMALL_FILE_H_
