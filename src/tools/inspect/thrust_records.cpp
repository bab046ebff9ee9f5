#include "tools/inspect/thrust_records.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>

#include "io/os_file.h"
#include "io/severe_error.h"

namespace {

bool is_blank_line(std::string_view line) {
  for (char c : line) {
    if (c != ' ' && c != '\t') return false;
  }
  return true;
}

// The file's lines, counted, remembering what one read took.
class CountingLines final : public LineSource {
 public:
  explicit CountingLines(std::string_view text) : lines_(text) {}

  bool next_record(std::string_view* line) override {
    if (!lines_.next_record(line)) return false;
    ++number_;
    last_ = *line;
    if (!is_blank_line(*line)) ++filled_in_read_;
    return true;
  }

  void start_read() { filled_in_read_ = 0; }
  int filled_in_read() const { return filled_in_read_; }
  std::uint32_t number() const { return number_; }
  std::string_view last() const { return last_; }

 private:
  StringLines lines_;
  std::uint32_t number_ = 0;
  std::string_view last_;
  int filled_in_read_ = 0;
};

[[noreturn]] void fail_not_found(std::string_view name, int unit) {
  throw SevereError(kErrFileNotFound, "file not found, unit " + std::to_string(unit) + ", file " + os_full_path(name));
}

}  // namespace

void LineGroup::add(std::uint32_t line, std::string_view text) {
  if (count++ == 0) {
    first_line = line;
    first_text.assign(text);
  }
}

ThrustFile read_thrust_text(std::string_view text) {
  ThrustFile file;
  CountingLines source(text);
  ListReader reader(source);
  // The program's tlido and Flido: a null value or a slash keeps what they held.
  double tlido = 0.0;
  double Flido = 0.0;
  constexpr double kUnset = std::numeric_limits<double>::quiet_NaN();
  for (;;) {
    double t = kUnset;
    double F = kUnset;
    source.start_read();
    const ReadError error = reader.read_pair(&t, &F);
    if (error == ReadError::end_of_file) {
      if (source.filled_in_read() > 0) file.incomplete.add(source.number(), source.last());
      break;
    }
    if (error != ReadError::none) {
      if (file.unreadable.count == 0) {
        file.readable = file.records.size();
        file.first_error = error;
        file.first_hint = classify_unreadable(source.last());
        file.unreadable_before_first_record = file.records.empty();
      }
      file.unreadable.add(source.number(), source.last());
      continue;
    }
    if (std::isnan(t) || std::isnan(F)) file.null_or_slash.add(source.number(), source.last());
    if (!std::isnan(t)) tlido = t;
    if (!std::isnan(F)) Flido = F;
    if (source.filled_in_read() > 1) file.split.add(source.number(), source.last());
    if (looks_like_decimal_commas(source.last())) file.decimal_comma.add(source.number(), source.last());
    file.records.push_back({tlido, Flido, source.number()});
  }
  file.lines = source.number();
  if (file.unreadable.count == 0) file.readable = file.records.size();
  return file;
}

void require_existing_file(std::string_view name, int unit) {
  std::error_code error;
  const auto status = std::filesystem::status(std::filesystem::path(name), error);
  if (status.type() == std::filesystem::file_type::not_found) fail_not_found(name, unit);
}

std::string read_existing_file(std::string_view name, int unit) {
  if (name.empty() || name.find('\0') != std::string_view::npos) throw_file_error(kErrFileName, unit, name);
  require_existing_file(name, unit);
  const std::string path(name);
  std::error_code error;
  if (std::filesystem::is_directory(std::filesystem::path(path), error)) throw_file_error(kErrOpenFailure, unit, name);
  // "rb" never creates the file.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!stream) {
    if (errno == ENOENT) fail_not_found(name, unit);
    throw_file_error(errno == EACCES || errno == EPERM ? kErrPermission : kErrOpenFailure, unit, name);
  }
  std::string bytes;
  char block[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, stream.get());
    bytes.append(block, got);
    if (got < sizeof block) break;
  }
  if (std::ferror(stream.get())) throw_file_error(kErrReadFailure, unit, name);
  return bytes;
}
