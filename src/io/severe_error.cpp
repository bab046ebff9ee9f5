#include "io/severe_error.h"

#include <cstdio>

#include "io/os_file.h"

namespace {

const char* file_error_format(int number) {
  switch (number) {
    case kErrPermission: return "permission to access file denied, unit %d, file %s";
    case kErrEndOfFile: return "end-of-file during read, unit %d, file %s";
    case kErrCloseFailure: return "CLOSE error, unit %d, file %s";
    case kErrOpenFailure: return "open failure, unit %d, file %s";
    case kErrWriteFailure: return "error during write, unit %d, file %s";
    case kErrReadFailure: return "error during read, unit %d, file %s";
    case kErrFileName: return "file name specification error, unit %d, file %s";
    case kErrSyntax: return "list-directed I/O syntax error, unit %d, file %s";
    case kErrConversion: return "input conversion error, unit %d, file %s";
    default: return "I/O error, unit %d, file %s";
  }
}

}  // namespace

std::string severe_error_line(const SevereError& error) {
  return "talvironeska: severe (" + std::to_string(error.number()) + "): " + error.text() + "\n";
}

void throw_severe(int number, std::string text) { throw SevereError(number, std::move(text)); }

std::string file_error_text(int number, int unit, std::string_view name) {
  // A name holding NUL bytes (an unassigned field) is shown up to its first NUL.
  const std::string path = os_full_path(name.substr(0, name.find('\0')));
  const char* format = file_error_format(number);
  const int size = std::snprintf(nullptr, 0, format, unit, path.c_str());
  std::string text(static_cast<std::size_t>(size), '\0');
  std::snprintf(text.data(), text.size() + 1, format, unit, path.c_str());
  return text;
}

void throw_file_error(int number, int unit, std::string_view name) {
  throw SevereError(number, file_error_text(number, unit, name));
}
