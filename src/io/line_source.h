// Where the list-directed reader takes its lines from: a unit, or a string.
#ifndef TALVIRONESKA_IO_LINE_SOURCE_H_
#define TALVIRONESKA_IO_LINE_SOURCE_H_

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kLinePadding = 8;

class LineSource {
 public:
  // The next line without its line end; false at end of file. The view stays
  // valid until the next call, and at least kLinePadding readable bytes
  // follow it, so scanners may read whole words near its end.
  virtual bool next_record(std::string_view* line) = 0;

 protected:
  ~LineSource() = default;
};

#endif  // TALVIRONESKA_IO_LINE_SOURCE_H_
