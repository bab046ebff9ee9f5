// Reads an engine file back the way a flight simulator does: ';' comments,
// one header line of seven fields, then "time thrust" pairs.
#ifndef TALVIRONESKA_TESTS_SUPPORT_ENG_READING_H_
#define TALVIRONESKA_TESTS_SUPPORT_ENG_READING_H_

#include <sstream>
#include <string>
#include <vector>

// Kept free of the program's headers: the end-to-end tests use it too.
struct EngPoint {
  double t;
  double F;
};

struct EngFile {
  std::string name, diameter, length, delays, maker;
  double propellant_mass = -1.0;
  double total_mass = -1.0;
  std::vector<EngPoint> points;
  bool well_formed = false;
};

inline EngFile read_eng(const std::string& text) {
  EngFile eng;
  std::istringstream lines(text);
  std::string line;
  bool header = false;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == ';') continue;
    std::istringstream fields(line);
    if (!header) {
      fields >> eng.name >> eng.diameter >> eng.length >> eng.delays >> eng.propellant_mass >> eng.total_mass >>
          eng.maker;
      if (!fields) return eng;
      header = true;
      continue;
    }
    EngPoint p{};
    fields >> p.t >> p.F;
    if (!fields) return eng;
    eng.points.push_back(p);
  }
  eng.well_formed = header && !eng.points.empty();
  return eng;
}

// The impulse of the curve, starting from (0, 0), by the trapezoid rule.
inline double eng_impulse(const EngFile& eng) {
  double It = 0.0;
  EngPoint before{0.0, 0.0};
  for (const EngPoint& p : eng.points) {
    It += (before.F + p.F) / 2.0 * (p.t - before.t);
    before = p;
  }
  return It;
}

#endif  // TALVIRONESKA_TESTS_SUPPORT_ENG_READING_H_
