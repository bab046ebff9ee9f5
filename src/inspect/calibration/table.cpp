#include "inspect/calibration/table.h"

#include <algorithm>
#include <array>

#include "inspect/calibration/small_file.h"
#include "inspect/common/native_name.h"
#include "inspect/log/units.h"
#include "inspect/program/line_hint.h"

namespace {

LoadUnit load_unit_of(ThrustUnit unit) {
  switch (unit) {
    case ThrustUnit::g: return LoadUnit::g;
    case ThrustUnit::kgf: return LoadUnit::kg;
    case ThrustUnit::N: return LoadUnit::N;
    default: return LoadUnit::none;
  }
}

double newtons_per_load(LoadUnit unit, double gravity) {
  switch (unit) {
    case LoadUnit::g: return gravity / 1000.0;
    case LoadUnit::kg: return gravity;
    default: return 1.0;
  }
}

// The load's and the reading's columns and the loads' unit, by the header.
bool choose_columns(LoadUnit unit, CalibrationTable* table, std::string* problem) {
  const auto& names = table->dialect.column_names;
  if (table->dialect.columns < 2) {
    *problem = "a tabela precisa de duas colunas: a carga e a leitura";
    return false;
  }
  for (std::size_t c = 0; c < names.size(); ++c) {
    const LoadUnit named = load_unit_of(thrust_unit_in_header(names[c]));
    if (named == LoadUnit::none) continue;
    table->load_column = static_cast<int>(c);
    table->reading_column = c == 0 ? 1 : 0;
    if (unit == LoadUnit::none) {
      table->unit = named;
      table->unit_source = "cabeçalho \"" + printable_line(names[c]) + "\"";
    }
    break;
  }
  if (unit != LoadUnit::none) {
    table->unit = unit;
    table->unit_source = "--carga";
  }
  if (table->unit == LoadUnit::none) {
    *problem = "o cabeçalho não diz a unidade da carga: dê --carga g, kg ou N";
    return false;
  }
  return true;
}

}  // namespace

LoadUnit load_unit_named(std::string_view name) {
  if (name == "g") return LoadUnit::g;
  if (name == "kg") return LoadUnit::kg;
  if (name == "N") return LoadUnit::N;
  return LoadUnit::none;
}

const char* unit_text(LoadUnit unit) {
  switch (unit) {
    case LoadUnit::g: return "g";
    case LoadUnit::kg: return "kg";
    case LoadUnit::N: return "N";
    default: return "?";
  }
}

bool parse_calibration_table(std::string_view text, LoadUnit unit, double gravity, CalibrationTable* table,
                             std::string* problem) {
  *table = {};
  text = without_bom(text);
  if (!detect_dialect(text, true, &table->dialect, problem) || !choose_columns(unit, table, problem)) return false;
  const double scale = newtons_per_load(table->unit, gravity);
  std::array<std::string_view, kMaxFields> fields;
  std::string_view line;
  std::size_t at = 0;
  while (next_text_line(text, &at, &line)) {
    ++table->lines;
    if (table->lines <= table->dialect.header_line || is_blank_line(line) || line.starts_with("#")) continue;
    const std::size_t n = split_fields(line, table->dialect.separator, fields);
    double load = 0.0;
    double reading = 0.0;
    const auto column = [&](int c) { return static_cast<std::size_t>(c) < std::min(n, kMaxFields) ? fields[c] : ""; };
    if (!parse_log_number(column(table->load_column), table->dialect.decimal_comma, &load) ||
        !parse_log_number(column(table->reading_column), table->dialect.decimal_comma, &reading)) {
      *problem = "linha " + std::to_string(table->lines) + " \"" + printable_line(line) +
                 "\": esperava a carga e a leitura, dois números";
      return false;
    }
    table->readings.push_back({load * scale, reading});
  }
  return true;
}

bool read_calibration_table(const std::string& name, LoadUnit unit, double gravity, CalibrationTable* table,
                            std::string* problem) {
  std::string text;
  if (!read_small_file(name, kMaxTableBytes, &text, problem)) return false;
  if (!parse_calibration_table(text, unit, gravity, table, problem)) {
    *problem = console_name(name) + ", " + *problem;
    return false;
  }
  return true;
}
