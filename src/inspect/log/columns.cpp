#include "inspect/log/columns.h"

namespace {

std::string header_source(const std::string& name) { return "do cabeçalho \"" + name + "\""; }

// The header's names, to choose a column by: " (t_s, canal, F_N)".
std::string names_of(const LogDialect& d) {
  std::string text;
  for (const std::string& name : d.column_names) text += (text.empty() ? " (" : ", ") + name;
  return text.empty() ? text : text + ")";
}

}  // namespace

bool resolve_columns(const LogDialect& d, const LogLayout& o, LogColumns* c, std::string* problem) {
  const int columns = static_cast<int>(d.columns);
  c->rate = o.rate;
  if (o.rate > 0.0) {
    c->time = -1;
    if (o.column == 0 && columns > 1) {
      *problem = "o arquivo tem " + std::to_string(columns) + " colunas" + names_of(d) +
                 " e nenhuma de tempo (--taxa): escolha a do empuxo com --coluna";
      return false;
    }
    c->thrust = o.column == 0 ? 0 : o.column - 1;
  } else {
    if (columns == 1) {
      *problem = "o arquivo tem uma só coluna, sem tempo: dê a taxa de amostragem com --taxa HZ";
      return false;
    }
    c->time = 0;
    if (o.column == 1) {
      *problem = "a coluna 1 é a do tempo; sem coluna de tempo, dê --taxa HZ";
      return false;
    }
    if (o.column == 0 && columns > 2) {
      *problem = "o arquivo tem " + std::to_string(columns) + " colunas" + names_of(d) +
                 ": escolha a do empuxo com --coluna (2 a " + std::to_string(columns) + ")";
      return false;
    }
    c->thrust = o.column == 0 ? 1 : o.column - 1;
  }
  if (c->thrust >= columns) {
    *problem = "--coluna " + std::to_string(o.column) + ", mas o arquivo tem " + std::to_string(columns) +
               (columns == 1 ? " coluna" : " colunas");
    return false;
  }
  const bool named = !d.column_names.empty();
  if (c->time >= 0) {
    if (o.time_unit != TimeUnit::none) {
      c->time_unit = o.time_unit;
      c->time_unit_source = "--tempo";
    } else if (named && time_unit_in_header(d.column_names[c->time]) != TimeUnit::none) {
      TimeUnit other = TimeUnit::none;
      c->time_unit = time_unit_in_header(d.column_names[c->time], &other);
      c->time_unit_source = header_source(d.column_names[c->time]);
      if (other != TimeUnit::none) {
        *problem = "o cabeçalho do tempo, " + c->time_unit_source.substr(c->time_unit_source.find('"')) +
                   ", nomeia duas unidades, " + unit_text(c->time_unit) + " e " + unit_text(other) +
                   ": dê a certa com --tempo s, ms, us ou epoch";
        return false;
      }
    } else {
      *problem = "a unidade do tempo não está no cabeçalho: dê --tempo s, ms, us ou epoch";
      return false;
    }
  }
  if (o.thrust_unit != ThrustUnit::none) {
    c->thrust_unit = o.thrust_unit;
    c->thrust_unit_source = "--empuxo";
  } else if (named && thrust_unit_in_header(d.column_names[c->thrust]) != ThrustUnit::none) {
    ThrustUnit other = ThrustUnit::none;
    c->thrust_unit = thrust_unit_in_header(d.column_names[c->thrust], &other);
    c->thrust_unit_source = header_source(d.column_names[c->thrust]);
    if (other != ThrustUnit::none) {
      *problem = "o cabeçalho do empuxo, " + c->thrust_unit_source.substr(c->thrust_unit_source.find('"')) +
                 ", nomeia duas unidades, " + unit_text(c->thrust_unit) + " e " + unit_text(other) +
                 ": dê a certa com --empuxo N, g, kg, kgf ou lbf";
      return false;
    }
  } else if (o.factor) {
    c->thrust_unit = ThrustUnit::N;
    c->thrust_unit_source = "--fator, sem --empuxo";
  } else {
    *problem = "a unidade do empuxo não está no cabeçalho: dê --empuxo N, g, kg, kgf ou lbf (ou --fator)";
    return false;
  }
  if (o.factor) {
    c->factor = *o.factor;
    c->offset = o.offset.value_or(0.0);
  }
  return true;
}
