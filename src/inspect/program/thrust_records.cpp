#include "inspect/program/thrust_records.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "input/record_stream.h"
#include "inspect/common/native_name.h"
#include "inspect/program/text_blocks.h"
#include "io/os_file.h"
#include "io/page_in_ahead.h"
#include "io/severe_error.h"
#include "io/unit.h"

namespace {

// Builds the ThrustFile as the records stream by.
class Collector {
 public:
  Collector(ThrustFile& file, std::size_t expected) : f_(file) {
    f_.t.reserve(expected);
    // Left uninitialised: pages past the records are never touched.
    f_.F.reset(new double[expected]);
    f_.F_capacity = expected;
    // The kernel clears the arrays' fresh pages on the other core, ahead of the reading.
    t_pages_.emplace(f_.t.data(), expected * sizeof(double));
    F_pages_.emplace(f_.F.get(), expected * sizeof(double));
  }

  bool record(double t, double F, const RecordRead& read) {
    const std::size_t i = f_.t.size();
    if (read.general) {
      if (read.null_or_slash) f_.null_or_slash.add(read.line, read.last_line);
      if (read.filled_lines > 1) f_.split.add(read.line, read.last_line);
      if (looks_like_decimal_commas(read.last_line)) {
        if (f_.decimal_comma.count == 0) {
          f_.decimal_comma_t = t;
          f_.decimal_comma_F = F;
        }
        f_.decimal_comma.add(read.line, read.last_line);
      }
    }
    if (read.line != next_line_) f_.line_shifts.push_back({i, read.line});
    next_line_ = read.line + 1;
    if (i == f_.F_capacity) grow();
    f_.t.push_back(t);
    f_.F[i] = F;
    if ((i & (kBlockRecords - 1)) == 0 && t_pages_) {
      t_pages_->advance(i * sizeof(double));
      F_pages_->advance(i * sizeof(double));
    }
    return true;
  }

  bool unreadable(ReadError error, std::uint32_t line, std::string_view text, bool past_cap) {
    if (past_cap) {
      f_.stopped_at_long_line = true;
      f_.lines = line;
    }
    if (f_.unreadable.count == 0) {
      f_.readable = f_.t.size();
      f_.first_error = error;
      f_.first_hint = classify_unreadable(text);
      f_.unreadable_before_first_record = f_.t.empty();
    }
    f_.unreadable.add(line, text);
    return true;
  }

  void end_of_file(std::uint32_t lines, int filled_lines, std::string_view last) {
    if (filled_lines > 0) f_.incomplete.add(lines, last);
    f_.lines = lines;
  }

 private:
  // More records than the file's size promised: larger arrays, the page
  // helpers stopped first (they work on the old ones).
  void grow() {
    t_pages_.reset();
    F_pages_.reset();
    const std::size_t capacity = std::max<std::size_t>(2 * f_.F_capacity, 1024);
    std::unique_ptr<double[]> F(new double[capacity]);
    std::copy(f_.F.get(), f_.F.get() + f_.t.size(), F.get());
    f_.F = std::move(F);
    f_.F_capacity = capacity;
    f_.t.reserve(capacity);
  }

  static constexpr std::size_t kBlockRecords = 1 << 16;
  ThrustFile& f_;
  std::uint32_t next_line_ = 1;
  std::optional<PageInAhead> t_pages_;
  std::optional<PageInAhead> F_pages_;
};

template <class Blocks>
ThrustFile collect(Blocks& blocks, std::size_t expected_records) {
  ThrustFile file;
  {
    Collector collector(file, std::max<std::size_t>(expected_records, 1024));
    stream_records(blocks, collector);
  }
  if (file.unreadable.count == 0) file.readable = file.t.size();
  return file;
}

}  // namespace

void LineGroup::add(std::uint32_t line, std::string_view text) {
  if (count++ == 0) {
    first_line = line;
    first_text.assign(text);
  }
}

std::uint32_t ThrustFile::line_of(std::size_t i) const {
  auto after = std::upper_bound(line_shifts.begin(), line_shifts.end(), i,
                                [](std::size_t record, const LineShift& s) { return record < s.record; });
  if (after == line_shifts.begin()) return static_cast<std::uint32_t>(i + 1);
  const LineShift& s = *(after - 1);
  return s.line + static_cast<std::uint32_t>(i - s.record);
}

void ThrustFile::release() {
  std::vector<double>().swap(t);
  F.reset();
  F_capacity = 0;
  readable = 0;
}

ThrustFile read_thrust_text(std::string_view text) {
  TextBlocks blocks(text);
  return collect(blocks, text.size() / 4 + 1);
}

ThrustFile read_thrust_source(const ThrustSource& source, int unit) {
  if (source.in_memory) return read_thrust_text(source.text);
  const std::string_view name = source.name;
  if (name.empty() || name.find('\0') != std::string_view::npos) throw_file_error(kErrFileName, unit, name);
  require_existing_file(name, unit);
  std::error_code error;
  const std::filesystem::path path = path_of_name(name);
  if (std::filesystem::is_directory(path, error)) throw_file_error(kErrOpenFailure, unit, name);
  const auto bytes = std::filesystem::file_size(path, error);
  // Room for the records a file of this size holds at 12 bytes a line, so
  // that the arrays are rarely moved while they grow.
  const std::size_t expected = error ? 0 : static_cast<std::size_t>(bytes / 12 + 1024);
  Unit file(unit, name, OpenMode::read);
  ThrustFile records = collect(file, expected);
  file.close();
  return records;
}

void require_existing_file(std::string_view name, int unit) {
  std::error_code error;
  const auto status = std::filesystem::status(path_of_name(name), error);
  if (status.type() == std::filesystem::file_type::not_found) throw_file_error(kErrFileNotFound, unit, name);
}
