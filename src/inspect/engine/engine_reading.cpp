#include "inspect/engine/engine_reading.h"

#include <charconv>
#include <cmath>
#include <fstream>

#include "inspect/common/native_name.h"
#include "inspect/common/shown_text.h"

namespace {

// An engine file is a few kilobytes: a larger one is no engine file.
constexpr std::size_t kMaxEngineFileBytes = 4u << 20;

bool read_number(std::string_view text, double* value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(*value);
}

std::vector<std::string_view> fields_of(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t begin = 0;
  while (begin < line.size()) {
    const std::size_t end = std::min(line.find(' ', begin), line.size());
    if (end > begin) fields.push_back(line.substr(begin, end - begin));
    begin = end + 1;
  }
  return fields;
}

// "F67W", "1/2A3T", "L1349": a class and the average thrust, then anything.
bool has_average_thrust(std::string_view name) {
  for (std::string_view fraction : {"1/2", "1/4", "1/8"}) {
    if (name.starts_with(fraction)) name.remove_prefix(fraction.size());
  }
  return name.size() >= 2 && name[0] >= 'A' && name[0] <= 'Z' && name[1] >= '0' && name[1] <= '9';
}

bool valid_delay_list(std::string_view text, char separator) {
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = std::min(text.find(separator, begin), text.size());
    const std::string_view delay = text.substr(begin, end - begin);
    double value = 0.0;
    if (delay != "P" && !read_number(delay, &value)) return false;
    if (end == text.size()) return true;
    begin = end + 1;
  }
}

std::string header_problem(const PublishedMotor& m) {
  if (!has_average_thrust(m.designation)) {
    return "a designação \"" + shown(m.designation) + "\" não tem a classe e o empuxo médio";
  }
  if (!(m.diameter >= 1.0 && m.length >= 1.0)) return "o diâmetro ou o comprimento é menor que 1 mm";
  if (!(m.propellant_mass > 0.0 && m.propellant_mass < m.total_mass)) {
    return "a massa de propelente não é maior que 0 e menor que a massa total";
  }
  return "";
}

// The points' rules: times rising from 0 s (a first point at 0 s with no
// thrust is the implicit start and is dropped), thrust above 0 but at the last point.
std::string points_problem(Curve& points) {
  if (!points.empty() && points.t.front() == 0.0 && points.F.front() == 0.0) points = from_ignition(points);
  if (points.empty()) return "nenhum ponto da curva";
  double before = -1.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double t = points.t[i];
    if (!(t > before)) return "dois pontos no tempo " + std::to_string(t) + " s ou tempos fora de ordem";
    if (i + 1 < points.size() && !(points.F[i] > 0.0))
      return "empuxo zero antes do último ponto, em " + std::to_string(t) + " s";
    before = t;
  }
  if (points.F.back() != 0.0) return "o último ponto não tem empuxo zero";
  return "";
}

using Attributes = std::vector<std::pair<std::string, std::string>>;

// The attributes of the element starting at TEXT[AT] ("<name a=\"1\" ...>"),
// with the markup characters' entities decoded; AT moves past it. False for
// markup that is not an element's.
bool element_attributes(std::string_view text, std::size_t& at, Attributes* attributes) {
  at = text.find_first_of(" \t\r\n/>", at);
  while (at < text.size()) {
    at = text.find_first_not_of(" \t\r\n", at);
    if (at >= text.size()) return false;
    if (text[at] == '>' || text.substr(at, 2) == "/>") return true;
    const std::size_t equals = text.find('=', at);
    if (equals == std::string_view::npos || equals + 1 >= text.size()) return false;
    const char quote = text[equals + 1];
    const std::size_t close = text.find(quote, equals + 2);
    if ((quote != '"' && quote != '\'') || close == std::string_view::npos) return false;
    std::string value(text.substr(equals + 2, close - equals - 2));
    for (const auto& [entity, c] :
         {std::pair{"&quot;", "\""}, {"&apos;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
      for (std::size_t e = value.find(entity); e != std::string::npos; e = value.find(entity, e + 1)) {
        value.replace(e, std::string_view(entity).size(), c);
      }
    }
    std::string name(text.substr(at, equals - at));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    attributes->emplace_back(std::move(name), std::move(value));
    at = close + 1;
  }
  return false;
}

const std::string* attribute(const Attributes& attributes, std::string_view name) {
  for (const auto& [key, value] : attributes) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool number_attribute(const Attributes& attributes, std::string_view name, double* value) {
  const std::string* text = attribute(attributes, name);
  return text != nullptr && read_number(*text, value);
}

}  // namespace

bool read_eng_motor(std::string_view text, PublishedMotor* m, std::string* problem) {
  bool header = false;
  std::size_t number = 0;
  for (std::size_t begin = 0; begin < text.size();) {
    std::size_t end = std::min(text.find('\n', begin), text.size());
    std::string_view line = text.substr(begin, end - begin);
    begin = end + 1;
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string where = "linha " + std::to_string(number) + ": ";
    if (line.find('\t') != std::string_view::npos) {
      *problem = where + "tabulação (os simuladores pedem espaços)";
      return false;
    }
    const std::vector<std::string_view> f = fields_of(line);
    if (!line.empty() && line[0] == ';') {
      if (!m->points.empty()) break;  // the end of the first motor
      continue;
    }
    if (f.empty()) continue;
    if (!header) {
      header = true;
      if (f.size() != 7) {
        *problem = where + "o cabeçalho pede 7 campos (designação, diâmetro, comprimento, atrasos, massas, fabricante)";
        return false;
      }
      m->designation = std::string(f[0]);
      m->maker = std::string(f[6]);
      if (!read_number(f[1], &m->diameter) || !read_number(f[2], &m->length) ||
          !read_number(f[4], &m->propellant_mass) || !read_number(f[5], &m->total_mass) ||
          !valid_delay_list(f[3], '-')) {
        *problem = where + "o cabeçalho tem um campo que não é um número positivo ou uma lista de atrasos";
        return false;
      }
      *problem = header_problem(*m);
      if (!problem->empty()) {
        *problem = where + *problem;
        return false;
      }
      continue;
    }
    double t = 0.0;
    double F = 0.0;
    if (f.size() != 2 || !read_number(f[0], &t) || !read_number(f[1], &F)) {
      *problem = where + "um ponto pede dois números não negativos, tempo e empuxo";
      return false;
    }
    m->points.add(t, F);
  }
  if (!header) {
    *problem = "nenhum cabeçalho de motor";
    return false;
  }
  *problem = points_problem(m->points);
  return problem->empty();
}

bool read_rse_motor(std::string_view text, PublishedMotor* m, std::string* problem) {
  std::size_t at = text.find("<engine ");
  Attributes engine;
  if (at == std::string_view::npos || !element_attributes(text, at, &engine)) {
    *problem = "nenhum elemento engine legível";
    return false;
  }
  const std::string* code = attribute(engine, "code");
  const std::string* maker = attribute(engine, "mfg");
  double initial = 0.0;
  double propellant = 0.0;
  if (code == nullptr || maker == nullptr || !number_attribute(engine, "dia", &m->diameter) ||
      !number_attribute(engine, "len", &m->length) || !number_attribute(engine, "initWt", &initial) ||
      !number_attribute(engine, "propWt", &propellant)) {
    *problem = "o elemento engine pede code, mfg e os números dia, len, initWt e propWt";
    return false;
  }
  m->designation = *code;
  m->maker = *maker;
  m->propellant_mass = propellant / 1000.0;
  m->total_mass = initial / 1000.0;
  const std::string* delays = attribute(engine, "delays");
  *problem = delays != nullptr && !valid_delay_list(*delays, ',')
                 ? "os atrasos \"" + shown(*delays) + "\" não são uma lista de números ou P"
                 : header_problem(*m);
  if (!problem->empty()) return false;
  const std::size_t end = text.find("</engine>", at);
  for (at = text.find("<eng-data", at); at < end; at = text.find("<eng-data", at)) {
    Attributes point;
    double t = 0.0;
    double F = 0.0;
    if (!element_attributes(text, at, &point) || !number_attribute(point, "t", &t) ||
        !number_attribute(point, "f", &F)) {
      *problem = "um ponto eng-data pede os números não negativos t e f";
      return false;
    }
    m->points.add(t, F);
  }
  *problem = points_problem(m->points);
  return problem->empty();
}

bool read_published_motor(const std::string& name, PublishedMotor* m, std::string* problem) {
  std::ifstream in(path_of_name(name), std::ios::binary);
  std::string text;
  if (in) {
    text.resize(kMaxEngineFileBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
  }
  const std::string shown = console_name(name);
  if (!in && !in.eof()) {
    *problem = "não foi possível ler a curva de referência " + shown;
    return false;
  }
  if (text.size() > kMaxEngineFileBytes) {
    *problem = shown + " tem mais de 4 MiB: não é um arquivo de motor";
    return false;
  }
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  const bool xml = first != std::string::npos && text[first] == '<';
  if (xml ? read_rse_motor(text, m, problem) : read_eng_motor(text, m, problem)) return true;
  *problem = "a curva de referência " + shown + " não serve: " + *problem;
  return false;
}
