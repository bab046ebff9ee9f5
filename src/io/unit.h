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
  // the next call. A line longer than kMaxLine comes in pieces (see
  // LineSource), the rest of it passed over by the next call.
  bool next_line(std::string_view* line);
  bool next_record(std::string_view* line) override { return next_line(line); }
  bool next_piece(std::string_view* piece) override;
  LineCut cut() const override { return cut_; }
  // Passes over one whole line, however long; false at end of file.
  // *had_line_end tells whether a LF ended it.
  bool pass_line(bool* had_line_end);

  // The whole lines held after the last line taken: from the next unread
  // byte through the last LF held, reading more when not one whole line is
  // held. Empty at the end of the file, where a last line with no LF may
  // remain for next_line, and before a line longer than kMaxLine, which
  // next_line gives in pieces. kLinePadding readable bytes follow the view.
  std::string_view held_lines();
  // Takes the first n bytes of held_lines() as read.
  void skip(std::size_t n) { in_begin_ += n; }

  // Writing starts after the last line taken (the file's start when nothing
  // was read). The file is cut there before the first byte is written, so
  // whenever the run stops the file holds this run's bytes only.
  void write(std::string_view bytes);
  // Room for n bytes (n <= kMaxReserve) at the end of the pending output;
  // commit() takes the bytes up to END.
  static constexpr std::size_t kMaxReserve = 64 * 1024;
  char* reserve(std::size_t n);
  void commit(char* end) { out_used_ = static_cast<std::size_t>(end - out_.get()); }

  // Flushes, closes. Errors 38, 28.
  void close();

 private:
  void begin_writing();
  void flush();
  bool refill();
  bool take_piece(std::string_view* line, bool* had_line_end);
  void pass_rest_of_line();

  int number_;
  std::string name_;
  OsHandle handle_ = kNoHandle;

  std::unique_ptr<char[]> in_;
  std::size_t in_capacity_ = 0;
  std::size_t in_begin_ = 0;  // first unread byte
  std::size_t in_end_ = 0;    // end of the bytes held
  bool in_eof_ = false;
  std::uint64_t in_offset_ = 0;  // file offset of in_[0]
  LineCut cut_ = LineCut::none;  // how the line taken last ended

  std::unique_ptr<char[]> out_;
  std::size_t out_used_ = 0;
  bool writing_ = false;
  std::uint64_t out_offset_ = 0;  // file offset of out_[0]
};

#endif  // TALVIRONESKA_IO_UNIT_H_
