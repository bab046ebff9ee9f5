// The list-directed reader shared by the three input files: one forward
// scanner over the lines of a file, no allocation per value.
#ifndef TALVIRONESKA_INPUT_LIST_READER_H_
#define TALVIRONESKA_INPUT_LIST_READER_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "input/read_error.h"
#include "io/line_source.h"

// Lines of a string: LF ends a line, a CR just before it is dropped, and the
// end of the string ends a last line that has no LF. Keeps its own copy. A
// line longer than MAX_LINE comes in pieces, as from a unit.
class StringLines final : public LineSource {
 public:
  explicit StringLines(std::string_view text, std::size_t max_line = kMaxLine);
  bool next_record(std::string_view* line) override;
  bool next_piece(std::string_view* piece) override;
  LineCut cut() const override { return cut_; }

 private:
  std::string text_;  // the text and the padding every source gives
  std::string_view rest_;
  std::size_t max_line_;
  LineCut cut_ = LineCut::none;
};

enum class ReadKind { text, real, integer };

// One item of a read. A null value or a slash leaves the target as it was.
struct ReadItem {
  ReadKind kind;
  void* target;            // char[length], double or std::int32_t
  std::size_t length = 0;  // text fields only
};

inline ReadItem text_item(std::span<char> field) { return {ReadKind::text, field.data(), field.size()}; }
inline ReadItem real_item(double* value) { return {ReadKind::real, value}; }
inline ReadItem integer_item(std::int32_t* value) { return {ReadKind::integer, value}; }

// Texts longer than this are a syntax error.
inline constexpr std::size_t kMaxTextLength = 2049;

// What a comma means right after the integer part of a number and right
// before a digit, as in "0,5". The program refuses such a decimal comma: a
// read of one number (a case value) so written, or a thrust record whose
// line starts with such a number followed by blanks or tabs and a second
// number ("0,5 3,0", "0,5 3"), is a syntax error, where the comma would
// split one number in two. A comma between numbers written with points
// ("0.5,3.0"), a record of two integers ("1,5") and a leading comma (a null)
// keep their meaning. Separated, the comma ends the value as any comma does.
enum class DecimalCommas { separated, refused };

class ListReader {
 public:
  explicit ListReader(LineSource& source, DecimalCommas commas = DecimalCommas::separated)
      : source_(source), commas_(commas) {}

  // One list-directed read: starts at the start of the next line, takes as
  // many lines as its items need, and ignores the rest of its last line. On
  // an error the items read so far keep their new values. A line that comes
  // in pieces reads as if it came whole, but that a value running past a
  // piece with no separator in it (longer than the source's cap) is read
  // only when it is a text (too long, a syntax error) or plain digits.
  ReadError read(std::span<const ReadItem> items);

  // The thrust data record: the same as read() with two real items, with a
  // fast path for a line that starts with two plain numbers.
  ReadError read_pair(double* first, double* second);

 private:
  bool decimal_comma_after_first_value(std::span<const ReadItem> items) const;
  bool next_line();
  bool at_cut_inside_value(std::size_t end) const;
  ReadError read_long_value(const ReadItem& item);
  ReadError read_from_here(std::span<const ReadItem> items);
  ReadError skip_to_value();
  ReadError read_value(const ReadItem& item);
  ReadError read_quoted(const ReadItem& item);
  ReadError apply_repeat(const ReadItem& item);

  LineSource& source_;
  DecimalCommas commas_;
  std::string_view line_;
  std::size_t pos_ = 0;
  // Where the number read last starts in line_; npos when it does not lie
  // there (a null, a value taken through the pieces of a long line).
  std::size_t value_start_ = 0;

  // r*c: the copies still to hand out and what they hold.
  std::uint64_t repeat_left_ = 0;
  bool repeat_null_ = false;
  bool repeat_quoted_ = false;
  std::string repeat_value_;
};

#endif  // TALVIRONESKA_INPUT_LIST_READER_H_
