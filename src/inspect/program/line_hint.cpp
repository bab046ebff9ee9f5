#include "inspect/program/line_hint.h"

#include <cstdio>
#include <vector>

#include "input/char_class.h"

namespace {

using char_class::is_digit;

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::vector<std::string_view> split(std::string_view line, std::string_view separators) {
  std::vector<std::string_view> fields;
  std::size_t p = 0;
  while (p < line.size()) {
    while (p < line.size() && separators.find(line[p]) != std::string_view::npos) ++p;
    const std::size_t start = p;
    while (p < line.size() && separators.find(line[p]) == std::string_view::npos) ++p;
    if (p > start) fields.push_back(line.substr(start, p - start));
  }
  return fields;
}

// Digits, one comma, digits, after an optional sign: "0,002", "-1,5".
bool is_comma_number(std::string_view field) {
  std::size_t p = 0;
  if (p < field.size() && (field[p] == '+' || field[p] == '-')) ++p;
  const std::size_t int_start = p;
  while (p < field.size() && is_digit(field[p])) ++p;
  if (p == int_start || p == field.size() || field[p] != ',') return false;
  const std::size_t frac_start = ++p;
  while (p < field.size() && is_digit(field[p])) ++p;
  return p > frac_start && p == field.size();
}

bool has_digit_comma_digit(std::string_view line) {
  for (std::size_t i = 1; i + 1 < line.size(); ++i) {
    if (line[i] == ',' && is_digit(line[i - 1]) && is_digit(line[i + 1])) return true;
  }
  return false;
}

// A number with letters after it that do not make an exponent: "12.5N", "3s".
bool is_number_with_letters(std::string_view field) {
  std::size_t p = 0;
  if (p < field.size() && (field[p] == '+' || field[p] == '-')) ++p;
  bool digits = false;
  while (p < field.size() && (is_digit(field[p]) || field[p] == '.')) digits |= is_digit(field[p++]);
  if (!digits || p == field.size() || !is_letter(field[p])) return false;
  // An exponent letter followed by an optionally signed integer is a number.
  std::size_t q = p + 1;
  if (q < field.size() && (field[q] == '+' || field[q] == '-')) ++q;
  const std::size_t exp_start = q;
  while (q < field.size() && is_digit(field[q])) ++q;
  const bool exponent = q > exp_start && q == field.size();
  return !exponent;
}

}  // namespace

LineHint classify_unreadable(std::string_view line) {
  const bool has_point = line.find('.') != std::string_view::npos;
  if (has_digit_comma_digit(line) && (!has_point || line.find(';') != std::string_view::npos)) {
    return LineHint::decimal_comma;
  }
  if (line.find(';') != std::string_view::npos) return LineHint::semicolon;
  for (std::string_view field : split(line, " \t,;/")) {
    if (is_number_with_letters(field)) return LineHint::unit_letter;
  }
  int letters = 0;
  for (char c : line) letters += is_letter(c);
  if (letters >= 2) return LineHint::header;
  return LineHint::other;
}

bool looks_like_decimal_commas(std::string_view line) {
  if (line.find('.') != std::string_view::npos) return false;
  const std::vector<std::string_view> fields = split(line, " \t");
  if (fields.size() < 2) return false;
  for (std::string_view field : fields) {
    if (is_comma_number(field)) return true;
  }
  return false;
}

bool import_reads(LineHint hint) {
  return hint == LineHint::header || hint == LineHint::decimal_comma || hint == LineHint::semicolon;
}

const char* hint_text(LineHint hint) {
  switch (hint) {
    case LineHint::header: return "texto: um cabeçalho ou uma nota";
    case LineHint::decimal_comma: return "vírgula decimal: o leitor só aceita o ponto";
    case LineHint::unit_letter: return "letra junto ao número (unidade?)";
    case LineHint::semicolon: return "ponto e vírgula: o leitor não o toma por separador";
    case LineHint::other: return "caractere que não pode fazer parte de um número";
  }
  return "";
}

std::string printable_line(std::string_view line, std::size_t max_length) {
  std::string out;
  for (char c : line) {
    if (out.size() >= max_length) {
      out += "...";
      break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else if (c == '\t') {
      out += "\\t";
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    }
  }
  return out;
}
