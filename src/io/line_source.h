// Where the list-directed reader takes its lines from: a unit, or a string.
#ifndef TALVIRONESKA_IO_LINE_SOURCE_H_
#define TALVIRONESKA_IO_LINE_SOURCE_H_

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kLinePadding = 8;

// No line is held longer than this: a longer one comes in pieces, so that a
// file with no line end (a device, a file of NUL bytes) costs bounded memory.
inline constexpr std::size_t kMaxLine = std::size_t{4} << 20;

// How the view given last ends.
enum class LineCut {
  none,             // the line ends there
  after_separator,  // the line goes on; the view ends with a blank, tab, comma or slash
  inside_value,     // the line goes on; the view holds no separator at all
};

// The length of the piece that a line longer than a cap starts with: the
// longest start of HEAD (the cap's worth of the line) that ends with a
// separator, so that no value is split; all of HEAD when it holds none.
inline std::size_t piece_length(std::string_view head, LineCut* cut) {
  for (std::size_t n = head.size(); n > 0; --n) {
    const char c = head[n - 1];
    if (c == ' ' || c == '\t' || c == ',' || c == '/') {
      *cut = LineCut::after_separator;
      return n;
    }
  }
  *cut = LineCut::inside_value;
  return head.size();
}

class LineSource {
 public:
  // The next line without its line end, what is left of the line before
  // passed over; false at end of file. A line longer than the source's cap
  // comes as its first piece (see cut()). The view stays valid until the
  // next call, and at least kLinePadding readable bytes follow it, so
  // scanners may read whole words near its end.
  virtual bool next_record(std::string_view* line) = 0;
  // The next piece of the line, when the view given last went on; false
  // when that view ended its line.
  virtual bool next_piece(std::string_view* piece) = 0;
  virtual LineCut cut() const = 0;

 protected:
  ~LineSource() = default;
};

#endif  // TALVIRONESKA_IO_LINE_SOURCE_H_
