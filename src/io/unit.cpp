#include "io/unit.h"

#include <cstring>

#include "io/severe_error.h"

namespace {

// Large blocks: the thrust data file can hold tens of millions of lines.
constexpr std::size_t kInBlock = 1 << 20;
constexpr std::size_t kOutBlock = 1 << 20;

}  // namespace

Unit::Unit(int number, std::string_view name, OpenMode mode) : number_(number), name_(name) {
  if (name_.empty() || name_.find('\0') != std::string::npos) fail(kErrFileName);
  const int error = os_open_unknown(name_, mode, &handle_);
  if (error != 0) fail(error);
}

Unit::~Unit() {
  if (handle_ != kNoHandle) os_close(handle_);
}

void Unit::fail(int error_number) const { throw_file_error(error_number, number_, name_); }

bool Unit::refill() {
  if (in_eof_) return false;
  if (!in_) {
    in_capacity_ = kInBlock;
    // Not cleared: the pages of a large block come only as a read fills them.
    in_.reset(new char[in_capacity_ + kLinePadding]);
  }
  if (in_begin_ > 0) {
    std::memmove(in_.get(), in_.get() + in_begin_, in_end_ - in_begin_);
    in_offset_ += in_begin_;
    in_end_ -= in_begin_;
    in_begin_ = 0;
  }
  if (in_end_ == in_capacity_) {  // one line longer than the buffer, and shorter than kMaxLine
    std::unique_ptr<char[]> bigger(new char[in_capacity_ * 2 + kLinePadding]);
    std::memcpy(bigger.get(), in_.get(), in_end_);
    in_ = std::move(bigger);
    in_capacity_ *= 2;
  }
  const std::ptrdiff_t got = os_read(handle_, in_.get() + in_end_, in_capacity_ - in_end_);
  if (got < 0) fail(kErrReadFailure);
  if (got > 0) in_end_ += static_cast<std::size_t>(got);
  std::memset(in_.get() + in_end_, 0, kLinePadding);  // what the scanners may read past a line
  if (got == 0) in_eof_ = true;
  return got > 0;
}

// The rest of the current line, or its next kMaxLine piece.
bool Unit::take_piece(std::string_view* line, bool* had_line_end) {
  std::size_t scanned = 0;  // bytes after in_begin_ known to hold no LF
  for (;;) {
    const char* begin = in_.get() + in_begin_;
    const std::size_t held = in_end_ - in_begin_;
    if (in_ && held > scanned) {
      const void* lf = std::memchr(begin + scanned, '\n', held - scanned);
      if (lf != nullptr) {
        const char* end = static_cast<const char*>(lf);
        in_begin_ += static_cast<std::size_t>(end - begin) + 1;
        if (end > begin && end[-1] == '\r') --end;
        *line = std::string_view(begin, static_cast<std::size_t>(end - begin));
        if (had_line_end) *had_line_end = true;
        cut_ = LineCut::none;
        return true;
      }
      scanned = held;
    }
    if (held >= kMaxLine) {
      const std::size_t n = piece_length(std::string_view(begin, kMaxLine), &cut_);
      *line = std::string_view(begin, n);
      in_begin_ += n;
      if (had_line_end) *had_line_end = false;
      return true;
    }
    if (!refill()) {
      const bool went_on = cut_ != LineCut::none;
      cut_ = LineCut::none;
      if (in_end_ == in_begin_) {
        if (!went_on) return false;
        *line = std::string_view(in_.get() + in_begin_, 0);  // the line ended with its last piece
      } else {
        *line = std::string_view(in_.get() + in_begin_, in_end_ - in_begin_);
        in_begin_ = in_end_;
      }
      if (had_line_end) *had_line_end = false;
      return true;
    }
  }
}

void Unit::pass_rest_of_line() {
  while (cut_ != LineCut::none) {
    const char* begin = in_.get() + in_begin_;
    const void* lf = std::memchr(begin, '\n', in_end_ - in_begin_);
    if (lf != nullptr) {
      in_begin_ += static_cast<std::size_t>(static_cast<const char*>(lf) - begin) + 1;
      cut_ = LineCut::none;
      return;
    }
    in_begin_ = in_end_;
    if (!refill()) cut_ = LineCut::none;
  }
}

bool Unit::next_line(std::string_view* line) {
  pass_rest_of_line();
  return take_piece(line, nullptr);
}

bool Unit::next_piece(std::string_view* piece) {
  if (cut_ == LineCut::none) return false;
  return take_piece(piece, nullptr);
}

bool Unit::pass_line(bool* had_line_end) {
  pass_rest_of_line();
  std::string_view piece;
  if (!take_piece(&piece, had_line_end)) return false;
  if (cut_ == LineCut::none) return true;
  pass_rest_of_line();
  // Whether a LF ended it: the bytes after it are the next line's or none.
  *had_line_end = in_begin_ > 0 && in_.get()[in_begin_ - 1] == '\n';
  return true;
}

std::string_view Unit::held_lines() {
  pass_rest_of_line();
  std::size_t checked = 0;  // bytes after in_begin_ known to hold no LF
  for (;;) {
    if (in_) {
      const char* const begin = in_.get() + in_begin_;
      for (const char* p = in_.get() + in_end_; p > begin + checked; --p) {
        if (p[-1] == '\n') return std::string_view(begin, static_cast<std::size_t>(p - begin));
      }
      checked = in_end_ - in_begin_;
      if (checked >= kMaxLine) return std::string_view();
    }
    if (!refill()) return std::string_view();
  }
}

void Unit::begin_writing() {
  // Writing goes on right after the last line read, and the file is cut
  // there first: a run stopped while it writes (a signal, a full disk, the
  // file-size limit) leaves its own bytes, never an earlier run's after them.
  pass_rest_of_line();
  out_offset_ = in_offset_ + in_begin_;
  if (!os_truncate(handle_, out_offset_) || !os_seek(handle_, out_offset_)) fail(kErrWriteFailure);
  writing_ = true;
}

char* Unit::reserve(std::size_t n) {
  if (!writing_) begin_writing();
  if (!out_) out_.reset(new char[kOutBlock]);
  if (out_used_ + n > kOutBlock) flush();
  return out_.get() + out_used_;
}

void Unit::write(std::string_view bytes) {
  if (bytes.size() >= kMaxReserve) {  // no copy through the buffer for a large piece
    if (!writing_) begin_writing();
    flush();
    if (!os_write(handle_, bytes.data(), bytes.size())) fail(kErrWriteFailure);
    out_offset_ += bytes.size();
    return;
  }
  while (!bytes.empty()) {
    const std::size_t part = bytes.size() < kMaxReserve ? bytes.size() : kMaxReserve;
    char* p = reserve(part);
    std::memcpy(p, bytes.data(), part);
    commit(p + part);
    bytes.remove_prefix(part);
  }
}

void Unit::flush() {
  if (out_used_ == 0) return;
  if (!os_write(handle_, out_.get(), out_used_)) fail(kErrWriteFailure);
  out_offset_ += out_used_;
  out_used_ = 0;
}

void Unit::close() {
  if (writing_) flush();
  const OsHandle handle = handle_;
  handle_ = kNoHandle;
  if (!os_close(handle)) fail(kErrCloseFailure);
}
