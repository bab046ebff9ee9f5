#include "inspect/log/dialect.h"

#include <array>
#include <charconv>

#include "input/char_class.h"

namespace {

constexpr std::size_t kSampleLines = 20;

using char_class::is_blank;
using char_class::is_digit;

std::string_view trim(std::string_view field) {
  while (!field.empty() && is_blank(field.front())) field.remove_prefix(1);
  while (!field.empty() && is_blank(field.back())) field.remove_suffix(1);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
  return field;
}

bool has_digit_comma_digit(std::string_view text) {
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == ',' && is_digit(text[i - 1]) && is_digit(text[i + 1])) return true;
  }
  return false;
}

bool all_numbers(std::string_view line, Separator separator, bool decimal_comma) {
  std::array<std::string_view, kMaxFields> fields;
  const std::size_t n = split_fields(line, separator, fields);
  if (n == 0 || n > kMaxFields) return false;
  double value;
  for (std::size_t i = 0; i < n; ++i) {
    if (!parse_log_number(fields[i], decimal_comma, &value)) return false;
  }
  return true;
}

bool has_letter(std::string_view line) {
  for (char c : line) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') return true;
  }
  return false;
}

// The separator and the decimal mark of the data lines.
void detect_separator(const std::vector<std::string_view>& data, LogDialect* d) {
  bool semicolon = false, tab = false, comma = false, point = false, comma_in_blank_field = false;
  for (std::string_view line : data) {
    semicolon |= line.find(';') != std::string_view::npos;
    tab |= line.find('\t') != std::string_view::npos;
    comma |= line.find(',') != std::string_view::npos;
    point |= line.find('.') != std::string_view::npos;
    std::array<std::string_view, kMaxFields> fields;
    const std::size_t n = split_fields(line, Separator::blanks, fields);
    for (std::size_t i = 0; i < n && i < kMaxFields; ++i) {
      comma_in_blank_field |= n > 1 && has_digit_comma_digit(fields[i]);
    }
  }
  if (semicolon) {
    d->separator = Separator::semicolon;
  } else if (tab) {
    d->separator = Separator::tab;
  } else if (comma && !comma_in_blank_field) {
    d->separator = Separator::comma;
  } else {
    d->separator = Separator::blanks;
  }
  if (d->separator == Separator::comma) return;
  // "0,002;1,5" or "0,002 1,5": a comma between digits and no point anywhere.
  bool digit_comma = false;
  for (std::string_view line : data) digit_comma |= has_digit_comma_digit(line);
  d->decimal_comma = digit_comma && !point;
}

}  // namespace

bool is_blank_line(std::string_view line) {
  for (char c : line) {
    if (!is_blank(c)) return false;
  }
  return true;
}

std::size_t split_fields(std::string_view line, Separator separator, std::span<std::string_view> fields) {
  std::size_t n = 0;
  auto put = [&](std::string_view field) {
    if (n < fields.size()) fields[n] = field;
    ++n;
  };
  if (separator == Separator::blanks) {
    std::size_t p = 0;
    while (p < line.size()) {
      while (p < line.size() && is_blank(line[p])) ++p;
      const std::size_t start = p;
      while (p < line.size() && !is_blank(line[p])) ++p;
      if (p > start) put(trim(line.substr(start, p - start)));
    }
    return n;
  }
  const char mark = separator == Separator::comma ? ',' : separator == Separator::semicolon ? ';' : '\t';
  if (is_blank_line(line)) return 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(mark, start);
    const std::string_view field = trim(line.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) {
      if (!field.empty() || n == 0) put(field);
      return n;
    }
    put(field);
    start = end + 1;
  }
}

bool parse_log_number(std::string_view field, bool decimal_comma, double* value) {
  char buffer[64];
  if (field.empty() || field.size() >= sizeof buffer) return false;
  std::size_t n = 0;
  std::size_t p = 0;
  if (field[0] == '+') p = 1;
  if (p < field.size() && field[p] == '-') buffer[n++] = field[p++];
  if (p == field.size() || !(is_digit(field[p]) || field[p] == (decimal_comma ? ',' : '.'))) return false;
  for (; p < field.size(); ++p) {
    const char c = field[p];
    if (c == ',') {
      if (!decimal_comma) return false;
      buffer[n++] = '.';
    } else if (c == '.' && decimal_comma) {
      return false;
    } else {
      buffer[n++] = c;
    }
  }
  const auto result = std::from_chars(buffer, buffer + n, *value);
  return result.ec == std::errc() && result.ptr == buffer + n;
}

bool detect_dialect(std::string_view head, bool head_is_whole_file, LogDialect* d, std::string* problem) {
  std::vector<std::string_view> lines;
  std::vector<std::uint32_t> numbers;
  std::uint32_t number = 0;
  std::size_t p = 0;
  bool first_line = true;
  while (p < head.size() && lines.size() < kSampleLines + 1) {
    const std::size_t end = head.find('\n', p);
    if (end == std::string_view::npos && !head_is_whole_file) break;
    std::string_view line = head.substr(p, end == std::string_view::npos ? std::string_view::npos : end - p);
    p = end == std::string_view::npos ? head.size() : end + 1;
    ++number;
    const bool cr = !line.empty() && line.back() == '\r';
    if (cr) line.remove_suffix(1);
    if (first_line) d->crlf = cr && end != std::string_view::npos;
    first_line = false;
    if (is_blank_line(line)) continue;
    lines.push_back(line);
    numbers.push_back(number);
  }
  if (lines.empty()) {
    *problem = "o arquivo não tem nenhuma linha com valores";
    return false;
  }
  std::vector<std::string_view> data(lines.begin() + 1, lines.end());
  detect_separator(data.empty() ? lines : data, d);
  const bool header = has_letter(lines[0]) && !all_numbers(lines[0], d->separator, d->decimal_comma);
  if (!header) {
    data.insert(data.begin(), lines[0]);
    detect_separator(data, d);
  }
  if (data.empty()) {
    *problem = "o arquivo só tem o cabeçalho, nenhuma linha com valores";
    return false;
  }
  std::array<std::string_view, kMaxFields> fields;
  d->columns = split_fields(data[0], d->separator, fields);
  if (d->columns > kMaxFields) {
    *problem = "o arquivo tem " + std::to_string(d->columns) + " colunas; o máximo é " + std::to_string(kMaxFields);
    return false;
  }
  if (header) {
    d->header_line = numbers[0];
    d->header_text.assign(lines[0]);
    // A header whose names are apart by blanks above data apart by commas
    // or tabs still names the columns.
    for (const Separator s : {d->separator, Separator::blanks}) {
      const std::size_t n = split_fields(lines[0], s, fields);
      if (n != d->columns) continue;
      for (std::size_t i = 0; i < n && i < kMaxFields; ++i) d->column_names.emplace_back(fields[i]);
      break;
    }
  }
  return true;
}

const char* separator_text(Separator separator) {
  switch (separator) {
    case Separator::blanks: return "brancos";
    case Separator::comma: return "vírgula";
    case Separator::semicolon: return "ponto e vírgula";
    case Separator::tab: return "tabulação";
  }
  return "";
}
