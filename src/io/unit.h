// Units: files bound to the unit numbers that error lines show. Every file of
// the run is opened, read, written and closed here, one at a time.
#ifndef TALVIRONESKA_IO_UNIT_H_
#define TALVIRONESKA_IO_UNIT_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "io/line_source.h"
#include "io/os_file.h"

inline constexpr int kUnitGeneralData = 5;
inline constexpr int kUnitCaseParams = 6;
inline constexpr int kUnitThrustData = 8;
inline constexpr int kUnitReport = 10;
inline constexpr int kUnitPlotScript = 18;
inline constexpr int kUnitCurveData = 20;

class Unit final : public LineSource {
 public:
  // Opens NAME with status "UNKNOWN" (see os_open_unknown). An empty name or
  // one holding a NUL byte is error 43 and creates nothing.
  Unit(int number, std::string_view name, OpenMode mode);
  // Closes quietly when close() was not reached: the run is already ending.
  ~Unit();
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  int number() const { return number_; }
  const std::string& name() const { return name_; }

  // Ends the run with the standard text of ERROR_NUMBER for this unit.
  [[noreturn]] void fail(int error_number) const;

  // The next line without its line end (LF, or CR LF); a final line with no
  // LF counts too. Returns false at end of file. The view stays valid until
  // the next call. *had_line_end tells whether a LF ended it.
  bool next_line(std::string_view* line, bool* had_line_end = nullptr);
  bool next_record(std::string_view* line) override { return next_line(line, nullptr); }

  // The whole lines held after the last line taken: from the next unread
  // byte through the last LF held, reading more when not one whole line is
  // held. Empty at the end of the file, where a last line with no LF may
  // remain for next_line. kLinePadding readable bytes follow the view.
  std::string_view held_lines();
  // Takes the first n bytes of held_lines() as read.
  void skip(std::size_t n) { in_begin_ += n; }

  // Writing starts where reading stopped (the file's start when nothing was
  // read) and the file ends after the last byte written when it is closed.
  void write(std::string_view bytes);
  // Room for n bytes (n <= kMaxReserve) at the end of the pending output;
  // commit() takes the bytes up to END.
  static constexpr std::size_t kMaxReserve = 64 * 1024;
  char* reserve(std::size_t n);
  void commit(char* end) { out_used_ = static_cast<std::size_t>(end - out_.get()); }

  // Flushes, cuts a written file after its last byte, closes. Errors 38, 28.
  void close();

 private:
  void begin_writing();
  void flush();
  bool refill();

  int number_;
  std::string name_;
  OsHandle handle_ = kNoHandle;

  std::unique_ptr<char[]> in_;
  std::size_t in_capacity_ = 0;
  std::size_t in_begin_ = 0;  // first unread byte
  std::size_t in_end_ = 0;    // end of the bytes held
  bool in_eof_ = false;
  std::uint64_t in_offset_ = 0;  // file offset of in_[0]

  std::unique_ptr<char[]> out_;
  std::size_t out_used_ = 0;
  bool writing_ = false;
  std::uint64_t out_offset_ = 0;  // file offset of out_[0]
};

#endif  // TALVIRONESKA_IO_UNIT_H_
