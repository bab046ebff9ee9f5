#include "input/list_reader.h"

#include <algorithm>
#include <cstring>

#include "input/char_class.h"
#include "input/number.h"
#include "input/record_lines.h"

namespace {

using char_class::ends_value;
using char_class::is_blank;
using char_class::is_digit;

// Stores TEXT left-justified in the field, padded with blanks or cut.
void store_text(const ReadItem& item, std::string_view text) {
  char* field = static_cast<char*>(item.target);
  const std::size_t n = std::min(text.size(), item.length);
  std::memcpy(field, text.data(), n);
  std::memset(field + n, ' ', item.length - n);
}

ReadError store_token(const ReadItem& item, std::string_view token) {
  switch (item.kind) {
    case ReadKind::text:
      if (token.size() > kMaxTextLength) return ReadError::syntax;
      store_text(item, token);
      return ReadError::none;
    case ReadKind::real: return parse_real(token, static_cast<double*>(item.target));
    case ReadKind::integer: return parse_integer(token, static_cast<std::int32_t*>(item.target));
  }
  return ReadError::syntax;
}

// At START, an integer part (its sign with it) followed straight by a comma
// and a digit: a number written with a decimal comma. The position of the
// comma, or npos.
std::size_t decimal_comma_at(std::string_view line, std::size_t start) {
  std::size_t p = start;
  if (p < line.size() && (line[p] == '+' || line[p] == '-')) ++p;
  const std::size_t digits = p;
  while (p < line.size() && is_digit(line[p])) ++p;
  if (p == digits || p + 1 >= line.size() || line[p] != ',' || !is_digit(line[p + 1])) return std::string_view::npos;
  return p;
}

// ... and, in a record, followed on its line by blanks or tabs and a second
// number.
bool decimal_comma_record_at(std::string_view line, std::size_t start) {
  std::size_t p = decimal_comma_at(line, start);
  if (p == std::string_view::npos) return false;
  for (++p; p < line.size() && !ends_value(line[p]);) ++p;  // the digits after the comma
  if (p == line.size() || !is_blank(line[p])) return false;
  while (p < line.size() && is_blank(line[p])) ++p;
  std::size_t end = p;
  while (end < line.size() && !ends_value(line[end])) ++end;
  double ignored;
  return end > p && parse_real(line.substr(p, end - p), &ignored) != ReadError::syntax;
}

}  // namespace

StringLines::StringLines(std::string_view text, std::size_t max_line) : text_(text), max_line_(max_line) {
  text_.append(kLinePadding, '\0');
  rest_ = std::string_view(text_.data(), text.size());
}

bool StringLines::next_record(std::string_view* line) {
  while (cut_ != LineCut::none) {  // what is left of a long line
    std::string_view piece;
    next_piece(&piece);
  }
  if (rest_.data() == nullptr) return false;
  return next_piece(line);
}

bool StringLines::next_piece(std::string_view* piece) {
  if (rest_.data() == nullptr) {
    const bool went_on = cut_ != LineCut::none;
    cut_ = LineCut::none;
    if (went_on) *piece = std::string_view(text_.data() + text_.size() - kLinePadding, 0);
    return went_on;
  }
  const std::size_t lf = rest_.find('\n');
  const std::size_t length = lf == std::string_view::npos ? rest_.size() : lf;
  if (length > max_line_) {
    const std::size_t n = piece_length(rest_.substr(0, max_line_), &cut_);
    *piece = rest_.substr(0, n);
    rest_.remove_prefix(n);
    return true;
  }
  const bool went_on = cut_ != LineCut::none;
  cut_ = LineCut::none;
  if (lf == std::string_view::npos) {
    if (rest_.empty() && !went_on) return false;
    *piece = rest_;
    rest_ = std::string_view();
    return true;
  }
  std::string_view found = rest_.substr(0, lf);
  if (!found.empty() && found.back() == '\r') found.remove_suffix(1);
  *piece = found;
  rest_.remove_prefix(lf + 1);
  if (rest_.empty()) rest_ = std::string_view();
  return true;
}

// Within a read: the next piece of a long line, else the next line.
bool ListReader::next_line() {
  pos_ = 0;
  if (source_.cut() != LineCut::none ? source_.next_piece(&line_) : source_.next_record(&line_)) return true;
  line_ = std::string_view();
  return false;
}

// True when a value that runs to END, the end of line_, goes on into the
// next piece of a line that has no separator for longer than the cap.
bool ListReader::at_cut_inside_value(std::size_t end) const {
  return end == line_.size() && source_.cut() == LineCut::inside_value;
}

// Passes over blanks, tabs and line ends up to the next character.
ReadError ListReader::skip_to_value() {
  for (;;) {
    while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
    if (pos_ < line_.size()) return ReadError::none;
    if (!next_line()) return ReadError::end_of_file;
  }
}

ReadError ListReader::read(std::span<const ReadItem> items) {
  pos_ = 0;
  if (!source_.next_record(&line_)) return ReadError::end_of_file;
  return read_from_here(items);
}

ReadError ListReader::read_pair(double* first, double* second) {
  pos_ = 0;
  if (!source_.next_record(&line_)) return ReadError::end_of_file;
  const ReadItem items[] = {real_item(first), real_item(second)};
  if (source_.cut() != LineCut::none) return read_from_here(items);
  const char* const end = line_.data() + line_.size();
  double a, b;
  char separator = 0;
  const char* p = record_lines::scan_plain_pair(line_.data(), end, &a, &b, &separator);
  if (p != nullptr && (p == end || ends_value(*p))) {
    *first = a;
    // A comma straight after the first number, and more on the line after
    // the second: perhaps one number with a decimal comma.
    if (separator == ',' && commas_ == DecimalCommas::refused && p != end && is_blank(*p)) {
      std::size_t start = 0;
      while (is_blank(line_[start])) ++start;
      if (decimal_comma_record_at(line_, start)) return ReadError::syntax;
    }
    *second = b;
    return ReadError::none;
  }
  // Anything else (a record over two lines, nulls, repeats, other number
  // forms, errors) takes the general path from the start of the line.
  pos_ = 0;
  return read_from_here(items);
}

ReadError ListReader::read_from_here(std::span<const ReadItem> items) {
  repeat_left_ = 0;
  bool slash = false;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (repeat_left_ > 0) {
      --repeat_left_;
      if (const ReadError error = apply_repeat(items[i]); error != ReadError::none) return error;
      continue;
    }
    if (slash) return ReadError::none;
    if (const ReadError error = skip_to_value(); error != ReadError::none) return error;
    const char c = line_[pos_];
    if (c == ',') {  // a null value: the item keeps what it held
      ++pos_;
      continue;
    }
    if (c == '/') return ReadError::none;
    if (const ReadError error = read_value(items[i]); error != ReadError::none) return error;
    // The rare case first: a comma right after the value.
    if (i == 0 && pos_ < line_.size() && line_[pos_] == ',' && decimal_comma_after_first_value(items)) {
      return ReadError::syntax;
    }
    // The separator after a value, when items are still to be read from the
    // text: blanks and line ends, then at most one comma, or a slash.
    if (i + 1 + repeat_left_ < items.size()) {
      if (const ReadError error = skip_to_value(); error != ReadError::none) return error;
      if (line_[pos_] == ',') {
        ++pos_;
      } else if (line_[pos_] == '/') {
        ++pos_;
        slash = true;
      }
    }
  }
  return ReadError::none;
}

// Whether the read's first value, just read and followed by a comma, is a
// number written with a decimal comma that the reader refuses (see
// DecimalCommas).
bool ListReader::decimal_comma_after_first_value(std::span<const ReadItem> items) const {
  if (commas_ == DecimalCommas::separated || items[0].kind == ReadKind::text) return false;
  if (value_start_ == std::string_view::npos) return false;
  return items.size() == 1 ? decimal_comma_at(line_, value_start_) != std::string_view::npos
                           : decimal_comma_record_at(line_, value_start_);
}

// A value that runs on past a piece: a text that long is too long, and a
// number of digits only is read from its significant digits, taken on
// through the pieces. Any other form of that length is taken as a syntax
// error at once, as is a character that no number holds.
ReadError ListReader::read_long_value(const ReadItem& item) {
  if (item.kind == ReadKind::text) return ReadError::syntax;
  constexpr std::size_t kMostDigits = 400;  // beyond the range of a double
  std::string token;
  if (line_[pos_] == '+' || line_[pos_] == '-') token += line_[pos_++];
  const std::size_t sign = token.size();
  bool too_many = false;
  bool any_digit = false;
  for (;;) {
    while (pos_ < line_.size() && !ends_value(line_[pos_])) {
      const char c = line_[pos_++];
      if (!is_digit(c)) return ReadError::syntax;
      any_digit = true;
      if (token.size() == sign && c == '0') continue;
      if (token.size() - sign < kMostDigits)
        token += c;
      else
        too_many = true;
    }
    if (pos_ < line_.size() || source_.cut() != LineCut::inside_value) break;
    if (!source_.next_piece(&line_)) {
      line_ = std::string_view();
      break;
    }
    pos_ = 0;
  }
  if (!any_digit) return ReadError::syntax;  // a sign alone, as on a whole line
  if (too_many) return ReadError::conversion;
  if (token.size() == sign) token += '0';
  return store_token(item, token);
}

ReadError ListReader::read_value(const ReadItem& item) {
  const std::size_t start = pos_;
  if (!((line_[start] == '\'' || line_[start] == '"') && item.kind == ReadKind::text)) {
    std::size_t value_end = start;
    while (value_end < line_.size() && !ends_value(line_[value_end])) ++value_end;
    if (at_cut_inside_value(value_end)) {
      value_start_ = std::string_view::npos;
      return read_long_value(item);
    }
  }
  // A leading run of digits followed by '*' is a repeat count.
  std::size_t p = start;
  while (p < line_.size() && is_digit(line_[p])) ++p;
  if (p > start && p < line_.size() && line_[p] == '*') {
    std::uint64_t count = 0;
    for (std::size_t k = start; k < p; ++k) {
      count = std::min<std::uint64_t>(count * 10 + static_cast<unsigned>(line_[k] - '0'), UINT32_MAX);
    }
    if (count == 0) return ReadError::syntax;
    pos_ = p + 1;
    repeat_left_ = count - 1;
    if (pos_ == line_.size() || ends_value(line_[pos_])) {  // r*: r null values
      repeat_null_ = true;
      value_start_ = std::string_view::npos;
      return ReadError::none;
    }
    repeat_null_ = false;
    const char c = line_[pos_];
    if (c == '\'' || c == '"') {
      if (item.kind != ReadKind::text) return ReadError::syntax;
      repeat_quoted_ = true;
      repeat_value_.clear();
      return read_quoted(item);
    }
    repeat_quoted_ = false;
    value_start_ = pos_;
    std::size_t q = pos_;
    while (q < line_.size() && !ends_value(line_[q])) ++q;
    repeat_value_.assign(line_.substr(pos_, q - pos_));
    pos_ = q;
    return store_token(item, repeat_value_);
  }
  const char c = line_[start];
  if ((c == '\'' || c == '"') && item.kind == ReadKind::text) {
    repeat_quoted_ = false;
    return read_quoted(item);
  }
  while (p < line_.size() && !ends_value(line_[p])) ++p;
  pos_ = p;
  value_start_ = start;
  return store_token(item, line_.substr(start, p - start));
}

// A quoted text: runs to the matching mark, a doubled mark stands for one,
// and it may go on over line ends (the line break is not part of it). While
// a repeat is being read the text is also kept for the later copies.
ReadError ListReader::read_quoted(const ReadItem& item) {
  const char mark = line_[pos_++];
  char* field = static_cast<char*>(item.target);
  std::size_t length = 0;
  auto put = [&](char ch) {
    if (length < item.length) field[length] = ch;
    if (repeat_quoted_ && length < kMaxTextLength) repeat_value_.push_back(ch);
    ++length;
  };
  for (;;) {
    if (pos_ == line_.size()) {
      if (!next_line()) return ReadError::end_of_file;
      continue;
    }
    const char ch = line_[pos_++];
    if (ch == mark) {
      if (pos_ < line_.size() && line_[pos_] == mark) {
        ++pos_;
      } else {
        break;
      }
    }
    if (length == kMaxTextLength) return ReadError::syntax;
    put(ch);
  }
  if (item.kind == ReadKind::text && length < item.length) std::memset(field + length, ' ', item.length - length);
  return ReadError::none;
}

ReadError ListReader::apply_repeat(const ReadItem& item) {
  if (repeat_null_) return ReadError::none;
  if (repeat_quoted_ && item.kind != ReadKind::text) return ReadError::syntax;
  return store_token(item, repeat_value_);
}
