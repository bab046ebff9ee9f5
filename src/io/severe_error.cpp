#include "io/severe_error.h"

#include <string>

#include "io/os_file.h"

namespace {

// What went wrong, before the place.
const char* file_error_what(int number) {
  switch (number) {
    case kErrPermission: return "permission to access file denied";
    case kErrEndOfFile: return "end-of-file during read";
    case kErrFileNotFound: return "file not found";
    case kErrCloseFailure: return "CLOSE error";
    case kErrOpenFailure: return "open failure";
    case kErrWriteFailure: return "error during write";
    case kErrReadFailure: return "error during read";
    case kErrFileName: return "file name specification error";
    case kErrSyntax: return "list-directed I/O syntax error";
    case kErrConversion: return "input conversion error";
    default: return "I/O error";
  }
}

}  // namespace

std::string severe_error_line(const SevereError& error) {
  return "talvironeska: severe (" + std::to_string(error.number()) + "): " + error.text() + "\n";
}

void throw_severe(int number, std::string text) { throw SevereError(number, std::move(text)); }

std::string file_place_text(int unit, std::string_view name) {
  // A name holding NUL bytes (an unassigned field) is shown up to its first NUL.
  return "unit " + std::to_string(unit) + ", file " + os_full_path(name.substr(0, name.find('\0')));
}

std::string file_error_text(int number, int unit, std::string_view name) {
  return std::string(file_error_what(number)) + ", " + file_place_text(unit, name);
}

void throw_file_error(int number, int unit, std::string_view name) {
  throw SevereError(number, file_error_text(number, unit, name));
}
