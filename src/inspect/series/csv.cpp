#include "inspect/series/csv.h"

#include <charconv>
#include <cmath>

std::string csv_text_field(std::string_view text) {
  std::string field = "\"";
  if (!text.empty() &&
      (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@' || text[0] == '\t' || text[0] == '\r')) {
    field += '\'';
  }
  for (char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + '"';
}

std::string csv_number(double value, CsvDialect dialect) {
  if (!std::isfinite(value)) return "";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
  std::string text(buffer, result.ptr);
  if (dialect == CsvDialect::portuguese) {
    for (char& c : text) {
      if (c == '.') c = ',';
    }
  }
  return text;
}

std::string series_csv_text(std::span<const Firing> firings, CsvDialect dialect) {
  const char separator = dialect == CsvDialect::portuguese ? ';' : ',';
  static const char* const kHeader[] = {"ensaio",       "nome",         "origem",          "ti (s)",   "tf (s)",
                                        "w (Hz)",       "M (kg)",       "It (N s)",        "Fmed (N)", "tq (s)",
                                        "Fmax (N)",     "tmax (s)",     "classe",          "Is (s)",   "tq 5 % (s)",
                                        "It 5 % (N s)", "Fmed 5 % (N)", "designa\xE7\xE3o"};
  std::string out;
  for (const char* title : kHeader) {
    if (!out.empty()) out += separator;
    out += csv_text_field(title);
  }
  out += "\r\n";
  for (std::size_t i = 0; i < firings.size(); ++i) {
    const Firing& f = firings[i];
    const auto number = [&](double v) { return separator + csv_number(v, dialect); };
    out += std::to_string(i + 1);
    out += separator + csv_text_field(f.name);
    out += separator + csv_text_field(f.shown);
    out += number(f.values.ti) + number(f.values.tf) + separator + std::to_string(f.values.w) + number(f.values.M);
    out += number(f.program.It) + number(f.program.Fmed) + number(f.program.tq) + number(f.program.Fmax) +
           number(f.program.tmax);
    out += separator + csv_text_field(f.program.classe);
    out += number(f.program.Is) + number(f.standard.duration) + number(f.standard.It) + number(f.standard.Fmed);
    out += separator + csv_text_field(f.standard_class.designation);
    out += "\r\n";
  }
  return out;
}
