// A strict reader of engine files, written from the formats' rules and from
// what simulators are known to refuse, not from the writer: it names every
// rule a file breaks. Kept free of the program's headers: the end-to-end
// tests use it too.
#ifndef TALVIRONESKA_TESTS_SUPPORT_ENGINE_RULES_H_
#define TALVIRONESKA_TESTS_SUPPORT_ENGINE_RULES_H_

#include <cmath>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace engine_rules {

inline std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t lf = text.find('\n', begin);
    if (lf == std::string::npos) lf = text.size();
    std::string line = text.substr(begin, lf - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    begin = lf + 1;
  }
  return lines;
}

// Fields apart by one space each, none empty; false for any other blank.
inline bool single_spaced(const std::string& line, std::vector<std::string>* fields) {
  fields->clear();
  std::size_t begin = 0;
  while (true) {
    const std::size_t space = line.find(' ', begin);
    fields->push_back(line.substr(begin, space == std::string::npos ? std::string::npos : space - begin));
    if (fields->back().empty()) return false;
    if (space == std::string::npos) return true;
    begin = space + 1;
  }
}

inline bool plain_number(const std::string& s) { return std::regex_match(s, std::regex(R"(\d+(\.\d+)?|\.\d+)")); }

inline double number(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

}  // namespace engine_rules

// Every rule of the .eng format that TEXT breaks; empty when a strict
// reader takes it.
inline std::vector<std::string> eng_rule_breaks(const std::string& text) {
  using namespace engine_rules;
  std::vector<std::string> breaks;
  if (text.find('\t') != std::string::npos) breaks.push_back("tab");
  bool header = false;
  std::vector<double> t, F;
  for (const std::string& line : split_lines(text)) {
    if (line.empty() || line[0] == ';') continue;
    std::vector<std::string> f;
    if (!single_spaced(line, &f)) breaks.push_back("not single-spaced: " + line);
    for (const std::string& field : f) {
      if (!field.empty() && field[0] == '-') breaks.push_back("negative value: " + line);
    }
    if (!header) {
      header = true;
      if (f.size() != 7) {
        breaks.push_back("header without 7 fields: " + line);
        continue;
      }
      if (!std::regex_match(f[0], std::regex(R"((1/[248])?[A-Z]\d+(\.\d+)?)")))
        breaks.push_back("designation without class and average thrust: " + f[0]);
      if (!plain_number(f[1]) || number(f[1]) < 1.0) breaks.push_back("diameter under 1 mm: " + f[1]);
      if (!plain_number(f[2]) || number(f[2]) < 1.0) breaks.push_back("length under 1 mm: " + f[2]);
      if (!std::regex_match(f[3], std::regex(R"(P|\d+(\.\d+)?(-\d+(\.\d+)?)*)"))) breaks.push_back("delays: " + f[3]);
      if (!plain_number(f[4]) || !plain_number(f[5]) || !(number(f[4]) > 0.0) || !(number(f[4]) < number(f[5])))
        breaks.push_back("propellant mass not above 0 and below the total: " + f[4] + " " + f[5]);
      continue;
    }
    if (f.size() != 2 || !plain_number(f[0]) || !plain_number(f[1])) {
      breaks.push_back("point not two plain numbers: " + line);
      continue;
    }
    t.push_back(number(f[0]));
    F.push_back(number(f[1]));
  }
  if (!header) breaks.push_back("no header");
  if (t.empty()) breaks.push_back("no points");
  if (t.size() > 32) breaks.push_back("more than 32 points");
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (!(t[i] > (i == 0 ? 0.0 : t[i - 1]))) breaks.push_back("time not after the one before: " + std::to_string(i));
    const bool last = i + 1 == t.size();
    if (last ? F[i] != 0.0 : !(F[i] > 0.0)) breaks.push_back("thrust: point " + std::to_string(i));
  }
  return breaks;
}

// The attributes of every element NAME of an XML TEXT, in order.
inline std::vector<std::map<std::string, std::string>> xml_elements(const std::string& text, const std::string& name) {
  std::vector<std::map<std::string, std::string>> elements;
  const std::regex element("<" + name + R"(((\s+[\w-]+="[^"]*")*)\s*/?>)");
  const std::regex attribute(R"(([\w-]+)="([^"]*)\")");
  for (auto e = std::sregex_iterator(text.begin(), text.end(), element); e != std::sregex_iterator(); ++e) {
    std::map<std::string, std::string> attributes;
    const std::string inner = (*e)[1];
    for (auto a = std::sregex_iterator(inner.begin(), inner.end(), attribute); a != std::sregex_iterator(); ++a)
      attributes[(*a)[1]] = (*a)[2];
    elements.push_back(attributes);
  }
  return elements;
}

// Every rule of the .rse format that TEXT breaks: the attributes a reader
// needs, each in the format's unit (sizes in mm, masses in g, Itot in N s,
// burn-time in s, Isp in s, massFrac in %), the points' times rising from
// 0 s, thrusts not negative and ending at 0, the mass left falling to 0.
inline std::vector<std::string> rse_rule_breaks(const std::string& text) {
  using engine_rules::number;
  std::vector<std::string> breaks;
  if (text.find("<engine-database>") == std::string::npos || text.find("<engine-list>") == std::string::npos)
    breaks.push_back("not an engine database");
  const auto engines = xml_elements(text, "engine");
  if (engines.size() != 1) return {"not one engine"};
  auto e = engines[0];
  for (const char* a : {"code", "mfg", "dia", "len", "initWt", "propWt", "delays", "Itot", "avgThrust", "peakThrust",
                        "burn-time", "Isp", "massFrac", "Type"})
    if (e[a].empty()) breaks.push_back(std::string("missing ") + a);
  if (!breaks.empty()) return breaks;
  if (number(e["dia"]) < 1.0 || number(e["len"]) < 1.0) breaks.push_back("size under 1 mm");
  const double prop = number(e["propWt"]), total = number(e["initWt"]);
  if (!(prop > 0.0 && prop < total)) breaks.push_back("propWt not above 0 and below initWt");
  const auto points = xml_elements(text, "eng-data");
  double It = 0.0, t0 = 0.0, F0 = 0.0, m0 = prop, peak = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    auto p = points[i];
    if (p["t"].empty() || p["f"].empty() || p["m"].empty()) breaks.push_back("point without t, f or m");
    const double t = number(p["t"]), F = number(p["f"]), m = number(p["m"]);
    if (i > 0 && !(t > t0)) breaks.push_back("time not rising: " + p["t"]);
    if (F < 0.0 || m < 0.0 || m > m0 + 1e-9) breaks.push_back("thrust or mass: " + p["t"]);
    It += (F + F0) / 2.0 * (t - t0);
    peak = std::max(peak, F);
    t0 = t, F0 = F, m0 = m;
  }
  if (points.size() < 2 || F0 != 0.0 || m0 != 0.0) breaks.push_back("curve not ending at 0");
  const auto near = [](double a, double b) { return std::fabs(a - b) <= 0.005 * std::fabs(b); };
  if (!near(number(e["Itot"]), It)) breaks.push_back("Itot is not the curve's impulse in N s");
  if (!near(number(e["burn-time"]), t0)) breaks.push_back("burn-time is not the curve's in s");
  if (!near(number(e["avgThrust"]), It / t0)) breaks.push_back("avgThrust is not Itot / burn-time in N");
  if (!near(number(e["peakThrust"]), peak)) breaks.push_back("peakThrust is not the curve's in N");
  if (!near(number(e["massFrac"]), prop / total * 100.0)) breaks.push_back("massFrac is not propWt / initWt in %");
  if (!near(number(e["Isp"]), It / (prop / 1000.0 * 9.80665))) breaks.push_back("Isp is not Itot / (g0 propWt) in s");
  return breaks;
}

#endif  // TALVIRONESKA_TESTS_SUPPORT_ENGINE_RULES_H_
