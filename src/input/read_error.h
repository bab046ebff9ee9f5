// What a list-directed read or a number conversion can end in.
#ifndef TALVIRONESKA_INPUT_READ_ERROR_H_
#define TALVIRONESKA_INPUT_READ_ERROR_H_

#include "io/severe_error.h"

enum class ReadError {
  none,
  end_of_file,  // the file ended before every item had a value or a null
  syntax,       // a value that is not of its item's form
  conversion,   // an integer outside 32 bits, a real that overflows double
};

// The severe error number of a read error: 24, 59 or 64.
inline int severe_number(ReadError error) {
  switch (error) {
    case ReadError::end_of_file: return kErrEndOfFile;
    case ReadError::syntax: return kErrSyntax;
    case ReadError::conversion: return kErrConversion;
    case ReadError::none: break;
  }
  return 0;
}

#endif  // TALVIRONESKA_INPUT_READ_ERROR_H_
