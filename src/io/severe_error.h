// Severe errors: the one way a run ends early. main catches SevereError,
// writes its line to stderr and returns exit status 1.
#ifndef TALVIRONESKA_IO_SEVERE_ERROR_H_
#define TALVIRONESKA_IO_SEVERE_ERROR_H_

#include <exception>
#include <string>
#include <string_view>

inline constexpr int kErrPermission = 9;  // EACCES, EPERM, EROFS at open
inline constexpr int kErrEndOfFile = 24;
inline constexpr int kErrFileNotFound = 29;  // only for OpenMode::read_existing: the program creates
inline constexpr int kErrCloseFailure = 28;
inline constexpr int kErrOpenFailure = 30;
inline constexpr int kErrWriteFailure = 38;
inline constexpr int kErrReadFailure = 39;
inline constexpr int kErrNoMemory = 41;
inline constexpr int kErrFileName = 43;  // empty name, NUL in name, missing directory
inline constexpr int kErrSyntax = 59;
inline constexpr int kErrConversion = 64;  // integer outside 32 bits, real overflow
inline constexpr int kErrArraySizeOverflow = 179;
inline constexpr int kErrTooManyPoints = 408;

class SevereError : public std::exception {
 public:
  SevereError(int number, std::string text) : number_(number), text_(std::move(text)) {}
  int number() const { return number_; }
  const std::string& text() const { return text_; }
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  int number_;
  std::string text_;
};

// The line main writes: "talvironeska: severe (N): TEXT" followed by a line feed.
std::string severe_error_line(const SevereError& error);

[[noreturn]] void throw_severe(int number, std::string text);

// For the file errors whose text is the standard format "..., unit %d, file %s":
// 24, 29, 59, 9, 43, 30, 39, 38, 28, 64. The file is named by its full path.
[[noreturn]] void throw_file_error(int number, int unit, std::string_view name);

// The standard text of a file error number, with the unit and full path filled in.
std::string file_error_text(int number, int unit, std::string_view name);

// Where a file error happened, "unit N, file PATH", the file by its full path:
// the end of every file error's text.
std::string file_place_text(int unit, std::string_view name);

#endif  // TALVIRONESKA_IO_SEVERE_ERROR_H_
