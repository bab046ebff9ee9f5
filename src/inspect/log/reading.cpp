#include "inspect/log/reading.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "input/record_lines.h"
#include "inspect/common/code_page.h"
#include "inspect/common/text.h"
#include "inspect/program/line_hint.h"
#include "io/line_source.h"

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;
// Bytes kept readable past the text in the buffer, for the scanners that
// read a word at a time.
constexpr std::size_t kPad = 8;

// The file's lines, block by block; a line may cross blocks.
class LogBlocks {
 public:
  bool open(const std::string& path) {
    file_.reset(std::fopen(path.c_str(), "rb"));
    return file_ != nullptr;
  }

  // Reads the first block; the text read so far is the head. The byte order
  // mark that spreadsheets put before UTF-8 text is not part of it.
  bool start() {
    if (!fill()) return false;
    if (head().starts_with(kUtf8Bom)) begin_ += kUtf8Bom.size();
    const std::string_view text = head();
    wide_ = text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") || text.find('\0') != std::string_view::npos;
    // Line ends of CR alone (old Mac programs, some loggers) are read as LF.
    cr_only_ = text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos;
    if (cr_only_) std::replace(buffer_.begin() + begin_, buffer_.begin() + end_, '\r', '\n');
    return true;
  }
  // UTF-16 text (a byte order mark of two bytes) or zero bytes: not a text
  // file of single bytes.
  bool wide() const { return wide_; }
  bool cr_only() const { return cr_only_; }
  // The line that stopped the reading ran past kMaxLine with no end.
  bool too_long() const { return too_long_; }
  std::string_view head() const { return std::string_view(buffer_).substr(begin_, end_ - begin_); }
  bool at_end() const { return eof_; }
  bool failed() const { return error_; }

  // The next line without its line end (LF, or CR LF); false at the end.
  // kPad bytes past it stay readable until the next call.
  bool next_line(std::string_view* line) {
    for (;;) {
      const char* data = buffer_.data();
      const void* nl = std::memchr(data + begin_, '\n', end_ - begin_);
      if (nl != nullptr) {
        const std::size_t at = static_cast<const char*>(nl) - data;
        *line = std::string_view(data + begin_, at - begin_);
        begin_ = at + 1;
        break;
      }
      if (eof_) {
        if (begin_ == end_) return false;
        *line = std::string_view(data + begin_, end_ - begin_);
        begin_ = end_;
        break;
      }
      if (end_ - begin_ > kMaxLine) {
        too_long_ = true;
        return false;
      }
      if (!fill()) return false;
    }
    if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
    too_long_ = line->size() > kMaxLine;
    return !too_long_;
  }

 private:
  bool fill() {
    const std::size_t kept = end_ - begin_;
    if (begin_ > 0) std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    // A line longer than half the buffer makes it grow; otherwise it keeps its size.
    if (buffer_.size() < 2 * kept + kPad || buffer_.empty()) buffer_.resize(std::max(kBlock, 2 * kept) + kPad);
    const std::size_t room = buffer_.size() - kPad;
    while (end_ < room && !eof_) {
      const std::size_t got = std::fread(buffer_.data() + end_, 1, room - end_, file_.get());
      if (cr_only_) std::replace(buffer_.begin() + end_, buffer_.begin() + end_ + got, '\r', '\n');
      end_ += got;
      if (got == 0) {
        eof_ = true;
        error_ = std::ferror(file_.get()) != 0;
      }
    }
    return !error_;
  }

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_{nullptr, &std::fclose};
  std::string buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool error_ = false;
  bool wide_ = false;
  bool cr_only_ = false;
  bool too_long_ = false;
};

std::string expected_line(const LogDialect& d, const LogColumns& c) {
  std::string text = std::to_string(d.columns) + (d.columns == 1 ? " número" : " campos");
  if (d.columns > 1) text += std::string(" separados por ") + separator_text(d.separator);
  text += c.time >= 0 ? ", o tempo na coluna 1 e o empuxo na coluna " + std::to_string(c.thrust + 1)
                      : ", o empuxo na coluna " + std::to_string(c.thrust + 1);
  text += d.decimal_comma ? ", números com vírgula decimal" : ", números com ponto decimal";
  return text;
}

std::string line_problem(std::uint32_t number, std::string_view line, const std::string& expected) {
  return "linha " + std::to_string(number) + ": \"" + printable_line(line) + "\"; esperado: " + expected;
}

// Opens PATH into BLOCKS and reads its head: false with *PROBLEM when it
// cannot be read or is not text of one byte a character.
bool open_log(const std::string& path, LogBlocks& blocks, std::string* problem) {
  if (!blocks.open(path)) {
    *problem = "não foi possível abrir " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!blocks.start()) {
    *problem = "erro ao ler " + path;
    return false;
  }
  if (blocks.wide()) {
    *problem =
        "o arquivo não é texto de um byte por caractere: parece UTF-16 (o \"Unicode\" do Excel e do Bloco de "
        "Notas) ou binário; salve-o como CSV UTF-8 ou como texto ANSI e importe de novo";
    return false;
  }
  return true;
}

// Room in RECORDS for as many records as the lines of HEAD promise for the
// whole file PATH, and an eighth more: lines a little shorter further on
// would otherwise make each array grow to twice its size, copied while the
// old one is still there (room never written to takes no memory).
void reserve_records(const std::string& path, std::string_view head, Records* records) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  const auto lines = static_cast<std::size_t>(std::count(head.begin(), head.end(), '\n'));
  if (error || lines == 0) return;
  const std::size_t promised = size / (head.size() / lines);
  const std::size_t expected = promised + promised / 8 + 16;
  records->t.reserve(expected);
  records->F.reserve(expected);
}

// Takes the record (T, F) of line NUMBER into LOG: a time that repeats the
// one before is folded into it (thrusts averaged), one that goes back is
// refused with *PROBLEM (TEXT, the line's text, named in it).
class RecordTaker {
 public:
  explicit RecordTaker(LogRead* log) : log_(log) {}

  bool take(double t, double F, std::uint32_t number, std::string_view text, std::string* problem) {
    Records& r = log_->records;
    if (!r.t.empty() && t <= r.t.back()) {
      if (t < r.t.back()) {
        *problem = line_problem(number, text,
                                "um tempo depois do da linha " + std::to_string(last_line_) + " (" +
                                    shortest(r.t.back()) + " s); este é " + shortest(t) + " s");
        return false;
      }
      sum_ += F;
      ++same_;
      r.F.back() = sum_ / static_cast<double>(same_);
      ++log_->repeated;
      return true;
    }
    LogGap& gap = log_->widest_gap;
    if (!r.t.empty() && t - r.t.back() > gap.to - gap.from) gap = {r.t.back(), t, last_line_, number};
    r.t.push_back(t);
    r.F.push_back(F);
    sum_ = F;
    same_ = 1;
    last_line_ = number;
    return true;
  }

 private:
  LogRead* log_;
  double sum_ = 0.0;  // the thrusts of records that share the last time
  std::size_t same_ = 0;
  std::uint32_t last_line_ = 0;
};

// The lines that read_plain_pair may take: two columns, time and thrust,
// with a decimal point, between blanks or around a comma.
struct PlainPairs {
  bool on = false;
  bool comma = false;
};

PlainPairs plain_pairs(const LogDialect& d, const LogColumns& c) {
  PlainPairs pairs;
  pairs.on = d.columns == 2 && !d.decimal_comma && c.time == 0 && c.thrust == 1 &&
             (d.separator == Separator::blanks || d.separator == Separator::comma);
  pairs.comma = d.separator == Separator::comma;
  return pairs;
}

const char* skip_blanks(const char* p, const char* end) {
  while (p < end && char_class::is_blank(*p)) ++p;
  return p;
}

// The time and thrust of LINE when it is two plain numbers that the
// program's reader scans, as read_fields would read them; false for any
// other line, which read_fields then takes (the most lines a log has take
// no split and no general conversion), with *RAW_T and *RAW_F to be
// overwritten. kPad bytes past LINE are readable.
bool read_plain_pair(std::string_view line, const PlainPairs& pairs, double* raw_t, double* raw_F) {
  if (!pairs.on) return false;
  const char* const end = line.data() + line.size();
  const char* p = scan_plain_real_padded(skip_blanks(line.data(), end), end, raw_t);
  if (p == nullptr) return false;
  const char* const gap = p;
  p = skip_blanks(p, end);
  if (pairs.comma) {
    if (p == end || *p != ',') return false;
    p = skip_blanks(p + 1, end);
  } else if (p == gap) {
    return false;
  }
  p = scan_plain_real_padded(p, end, raw_F);
  return p != nullptr && skip_blanks(p, end) == end;
}

// The time (when C has a time column) and thrust of LINE, split into D's
// fields; false when it has not D's fields or they are not numbers.
bool read_fields(std::string_view line, const LogDialect& d, const LogColumns& c, double* raw_t, double* raw_F) {
  std::array<std::string_view, kMaxFields> fields;
  const std::size_t n = split_fields(line, d.separator, fields);
  return n == d.columns && (c.time < 0 || parse_log_number(fields[c.time], d.decimal_comma, raw_t)) &&
         parse_log_number(fields[c.thrust], d.decimal_comma, raw_F);
}

}  // namespace

bool read_log(const std::string& path, const LogLayout& layout, LogRead* log, std::string* problem) {
  LogBlocks blocks;
  if (!open_log(path, blocks, problem)) return false;
  LogDialect& d = log->dialect;
  if (!detect_dialect(blocks.head(), blocks.at_end(), &d, problem)) return false;
  d.cr_only = blocks.cr_only();
  LogColumns& c = log->columns;
  if (!resolve_columns(d, layout, &c, problem)) return false;
  const double time_scale = per_second(c.time_unit);
  const double thrust_scale = c.factor * newtons_per(c.thrust_unit);
  const std::string expected = expected_line(d, c);
  reserve_records(path, blocks.head(), &log->records);

  const PlainPairs pairs = plain_pairs(d, c);
  std::string_view line;
  std::uint32_t number = 0;
  bool first = true;
  std::size_t k = 0;
  RecordTaker records(log);
  while (blocks.next_line(&line)) {
    ++number;
    if (number == d.header_line) continue;
    double raw_t = 0.0;
    double raw_F = 0.0;
    if (!read_plain_pair(line, pairs, &raw_t, &raw_F)) {
      if (is_blank_line(line)) continue;
      if (!read_fields(line, d, c, &raw_t, &raw_F)) {
        *problem = line_problem(number, line, expected);
        return false;
      }
    }
    const double F = (raw_F - c.offset) * thrust_scale;
    double t;
    if (c.time < 0) {
      t = static_cast<double>(k++) / c.rate;
    } else {
      if (first) log->time_origin = raw_t;  // in the file's unit until the end
      t = (raw_t - log->time_origin) / time_scale;
    }
    first = false;
    if (!records.take(t, F, number, line, problem)) return false;
  }
  if (blocks.failed()) {
    *problem = "erro ao ler " + path;
    return false;
  }
  if (blocks.too_long()) {
    *problem = "linha " + std::to_string(number + 1) + ": passa de " + std::to_string(kMaxLine >> 20) +
               " MiB sem fim de linha; um registro tem poucas dezenas de bytes";
    return false;
  }
  log->lines = number;
  log->time_origin /= time_scale;
  return true;
}
