#include "inspect/calibration/cal_file.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "inspect/calibration/small_file.h"
#include "inspect/common/native_name.h"
#include "inspect/common/text.h"
#include "inspect/log/dialect.h"
#include "inspect/program/line_hint.h"

namespace {

constexpr std::size_t kMaxCalBytes = std::size_t{64} << 10;

// A key, where its value goes, and the note written after it (Windows-1252).
struct CalKey {
  const char* key;
  double Calibration::*value;
  const char* note;
};

// clang-format off
const CalKey kKeys[] = {
    {"b",                  &Calibration::b,            "N por unidade da leitura: for\xE7" "a = a + b x leitura"},
    {"a",                  &Calibration::a,            "N"},
    {"u_b",                &Calibration::u_b,          "incerteza padr\xE3o de b"},
    {"u_a",                &Calibration::u_a,          "incerteza padr\xE3o de a, N"},
    {"cov_ab",             &Calibration::cov_ab,       "covari\xE2ncia de a e b"},
    {"graus_de_liberdade", &Calibration::dof,          "do ajuste: leituras - 2"},
    {"desvio_residuos",    &Calibration::residual_sd,  "desvio padr\xE3o dos res\xED" "duos, N"},
    {"nao_linearidade",    &Calibration::nonlinearity, "N: o maior res\xED" "duo da m\xE9" "dia de uma carga"},
    {"carga_maxima",       &Calibration::top_load,     "N: a maior carga da tabela"},
    {"gravidade",          &Calibration::gravity,      "m/s2 usada para as massas (0: cargas em N)"},
    {"u_gravidade",        &Calibration::u_gravity,    "m/s2"},
    {"u_massas_padrao",    &Calibration::u_masses_rel, "incerteza relativa das massas padr\xE3o"},
};
// clang-format on

constexpr char kHysteresisKey[] = "histerese";
constexpr char kUnknown[] = "desconhecida";

std::string key_line(const std::string& key, const std::string& value, const char* note) {
  std::string line = key + " = " + value;
  line.append(line.size() < 40 ? 40 - line.size() : 1, ' ');
  return line + "# " + note + "\r\n";
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool cal_number(std::string_view text, double* x) {
  return parse_log_number(text, false, x) || parse_log_number(text, true, x);
}

// Stores VALUE under KEY, which joins *SEEN; false when it is no number.
// Unknown keys pass.
bool store(std::string_view key, std::string_view value, Calibration* c, std::vector<std::string_view>* seen) {
  if (key == kHysteresisKey) {
    double h = 0.0;
    if (value == kUnknown) {
      c->hysteresis.reset();
    } else if (cal_number(value, &h)) {
      c->hysteresis = h;
    } else {
      return false;
    }
    seen->push_back(kHysteresisKey);
    return true;
  }
  if (key == "cargas" || key == "leituras") {
    double n = 0.0;
    if (!cal_number(value, &n) || n < 0.0 || n > 1e15) return false;
    (key == "cargas" ? c->loads : c->readings) = static_cast<std::size_t>(n);
    seen->push_back(key);
    return true;
  }
  for (const CalKey& k : kKeys) {
    if (key != k.key) continue;
    seen->push_back(k.key);
    return cal_number(value, &(c->*k.value));
  }
  return true;
}

// The first of C's values that is out of every calibration's range, with
// its key; nullptr when none is. NaN is out of every range.
const char* value_out_of_range(const Calibration& c) {
  for (const CalKey& k : kKeys) {
    if (!(std::fabs(c.*k.value) <= kLargestCalValue)) return k.key;
  }
  if (c.hysteresis && !(std::fabs(*c.hysteresis) <= kLargestCalValue)) return kHysteresisKey;
  return nullptr;
}

// The first of C's values that may not be negative and is, with its key.
const char* negative_value(const Calibration& c) {
  const std::pair<const char*, double> kept[] = {
      {"u_b", c.u_b},
      {"u_a", c.u_a},
      {"desvio_residuos", c.residual_sd},
      {"nao_linearidade", c.nonlinearity},
      {kHysteresisKey, c.hysteresis.value_or(0.0)},
      {"gravidade", c.gravity},
      {"u_gravidade", c.u_gravity},
      {"u_massas_padrao", c.u_masses_rel},
  };
  for (const auto& [key, value] : kept) {
    if (value < 0.0) return key;
  }
  return nullptr;
}

}  // namespace

Calibration calibration_of(const CalibrationFit& fit, double gravity, double u_gravity, double u_masses_rel) {
  Calibration c;
  c.a = fit.a;
  c.b = fit.b;
  c.u_a = fit.u_a;
  c.u_b = fit.u_b;
  c.cov_ab = fit.cov_ab;
  c.dof = static_cast<double>(fit.readings - 2);
  c.residual_sd = fit.residual_sd;
  c.nonlinearity = fit.nonlinearity;
  c.hysteresis = fit.hysteresis;
  c.top_load = fit.top_load;
  c.loads = fit.loads;
  c.readings = fit.readings;
  c.gravity = gravity;
  c.u_gravity = gravity > 0.0 ? u_gravity : 0.0;
  c.u_masses_rel = u_masses_rel;
  return c;
}

std::string cal_file_text(const Calibration& c) {
  std::string text =
      "# Calibra\xE7\xE3o da c\xE9lula de carga, escrita por talvironeska-inspect calibrar\r\n"
      "# Tabela: " +
      c.table + ", " + std::to_string(c.readings) + " leituras em " + std::to_string(c.loads) +
      " cargas\r\n"
      "# Use com: talvironeska-inspect importar REGISTRO --calibracao ESTE_ARQUIVO\r\n"
      "# Incertezas padr\xE3o (k = 1). N\xE3o edite os valores \xE0 m\xE3o: calibre de novo.\r\n";
  for (const CalKey& k : kKeys) text += key_line(k.key, shortest(c.*k.value), k.note);
  text += key_line(kHysteresisKey, c.hysteresis ? shortest(*c.hysteresis) : std::string(kUnknown),
                   "N: a maior diferen\xE7"
                   "a entre carga e descarga");
  text += key_line("cargas", std::to_string(c.loads), "cargas diferentes");
  text += key_line("leituras", std::to_string(c.readings), "leituras ao todo");
  return text;
}

std::string calibration_problem(const Calibration& c) {
  if (const char* key = value_out_of_range(c)) {
    return "valor impossível em \"" + std::string(key) + "\": não é um número ou passa de " +
           shortest(kLargestCalValue) + " em módulo";
  }
  if (const char* key = negative_value(c)) return "valor impossível em \"" + std::string(key) + "\": negativo";
  if (!(c.u_b < std::fabs(c.b))) {
    return "valores impossíveis: a inclinação b é zero ou não se distingue de zero (u_b não é menor que |b|)";
  }
  if (!(c.u_masses_rel < 1.0) || (c.gravity > 0.0 && !(c.u_gravity < c.gravity))) {
    return "valores impossíveis: a incerteza das massas padrão ou da gravidade não é menor que o valor";
  }
  if (!(c.dof >= 1.0) || !(c.top_load > 0.0)) {
    return "valores impossíveis: menos de 1 grau de liberdade ou carga máxima 0";
  }
  return "";
}

bool parse_cal_file(std::string_view text, Calibration* c, std::string* problem) {
  *c = {};
  std::vector<std::string_view> seen;
  std::size_t number = 0;
  std::string_view line;
  text = without_bom(text);
  for (std::size_t at = 0; next_text_line(text, &at, &line);) {
    ++number;
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    line = trimmed(line);
    if (line.empty()) continue;
    const std::size_t eq = line.find('=');
    const std::string_view key = eq == std::string_view::npos ? line : trimmed(line.substr(0, eq));
    const std::string where = "linha " + std::to_string(number) + " \"" + printable_line(line) + "\": ";
    if (eq == std::string_view::npos || !store(key, trimmed(line.substr(eq + 1)), c, &seen)) {
      *problem = where + "esperava chave = número";
      return false;
    }
    if (std::count(seen.begin(), seen.end(), key) > 1) {
      *problem = where + "a chave \"" + std::string(key) + "\" já foi dada";
      return false;
    }
  }
  for (const char* key : {"b", "a", "u_b", "u_a", "cov_ab", "graus_de_liberdade", "desvio_residuos", "nao_linearidade",
                          "histerese", "carga_maxima", "gravidade", "u_gravidade", "u_massas_padrao"}) {
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    *problem = "falta a chave \"" + std::string(key) + "\"";
    return false;
  }
  *problem = calibration_problem(*c);
  return problem->empty();
}

bool read_cal_file(const std::string& name, Calibration* c, std::string* text, std::string* problem) {
  if (!read_small_file(name, kMaxCalBytes, text, problem)) return false;
  if (!parse_cal_file(*text, c, problem)) {
    *problem = "arquivo de calibração " + console_name(name) + ", " + *problem;
    return false;
  }
  return true;
}
