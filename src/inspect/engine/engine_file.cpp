#include "inspect/engine/engine_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "inspect/common/text.h"

namespace {

// The finest times and thrusts printed: past these a double has no more
// digits to show at the sizes a firing has.
constexpr int kMaxTimeDecimals = 12;
constexpr int kMaxDecimals = 20;

double read_back(const std::string& text) {
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Decimals that show VALUE with SIGNIFICANT digits, MIN_DECIMALS at least.
int decimals_for(double value, int significant, int min_decimals) {
  if (!(std::fabs(value) > 0.0)) return min_decimals;
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  return std::clamp(significant - 1 - exponent, min_decimals, kMaxDecimals);
}

// The fewest decimals, 5 at least, at which every time of POINTS prints
// above the one before it and above 0.
int time_decimals(const Curve& points) {
  for (int d = 5; d < kMaxTimeDecimals; ++d) {
    double before = 0.0;
    bool rising = true;
    for (const double time : points.t) {
      const double t = read_back(fixed(time, d));
      rising = rising && t > before;
      before = t;
    }
    if (rising) return d;
  }
  return kMaxTimeDecimals;
}

// The masses printed alike, with the decimals at which the propellant's
// still prints below the total (4 significant digits at least).
struct PrintedMasses {
  std::string propellant;
  std::string total;
};

PrintedMasses printed_masses(double propellant, double total, double scale, int min_decimals) {
  PrintedMasses m;
  for (int d = decimals_for(propellant * scale, 4, min_decimals); d <= kMaxDecimals; ++d) {
    m = {fixed(propellant * scale, d), fixed(total * scale, d)};
    if (read_back(m.propellant) > 0.0 && read_back(m.propellant) < read_back(m.total)) break;
  }
  return m;
}

bool number_text(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view part = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  const auto digits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return !whole.empty() && digits(whole) && digits(part) && (point == std::string_view::npos || !part.empty());
}

// "F66", "1/2A3", "1/8A0.0030": a class and the average thrust.
bool valid_designation(std::string_view name) {
  for (std::string_view fraction : {"1/2", "1/4", "1/8"}) {
    if (name.starts_with(fraction)) name.remove_prefix(fraction.size());
  }
  if (name.empty() || name[0] < 'A' || name[0] > 'Z') return false;
  return number_text(name.substr(1));
}

// TEXT for an XML attribute or element: ASCII, the markup characters as
// entities, any other byte as '?'.
std::string xml_text(std::string_view text) {
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += byte < 0x20 || byte >= 0x7F ? '?' : c;
  }
  return out;
}

// A figure of the engine with 6 significant digits, without an exponent.
std::string figure(double value) { return fixed(value, decimals_for(value, 6, 1)); }

std::string attribute(std::string_view name, const std::string& value) {
  std::string text(" ");
  text.append(name);
  text.append("=\"");
  text.append(xml_text(value));
  text.append("\"");
  return text;
}

}  // namespace

PrintedCurve printed_curve(const Curve& points) {
  PrintedCurve curve;
  const int td = time_decimals(points);
  int finest = 3;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    if (points.F[i] > 0.0) finest = std::max(finest, decimals_for(points.F[i], 4, 3));
  }
  std::string smallest(static_cast<std::size_t>(finest + 1), '0');
  smallest[1] = '.';
  smallest.back() = '1';
  for (std::size_t i = 0; i < points.size(); ++i) {
    const bool last = i + 1 == points.size();
    PrintedPoint p;
    p.t = fixed(points.t[i], td);
    p.t_value = read_back(p.t);
    p.F = last ? fixed(0.0, 3) : fixed(points.F[i], decimals_for(points.F[i], 4, 3));
    if (!last && !(read_back(p.F) > 0.0)) p.F = smallest;
    p.F_value = read_back(p.F);
    // Times closer than the finest decimals show: the last point stays.
    while (!curve.points.empty() && !(p.t_value > curve.points.back().t_value) && last) curve.points.pop_back();
    if (!(p.t_value > (curve.points.empty() ? 0.0 : curve.points.back().t_value))) continue;
    curve.points.push_back(std::move(p));
  }
  PrintedPoint before;
  for (const PrintedPoint& p : curve.points) {
    curve.It += trapezoid(before.t_value, before.F_value, p.t_value, p.F_value);
    curve.peak = std::max(curve.peak, p.F_value);
    before = p;
  }
  return curve;
}

bool valid_delays(std::string_view text) {
  if (text == "P") return true;
  std::size_t begin = 0;
  while (true) {
    const std::size_t dash = text.find('-', begin);
    if (!number_text(text.substr(begin, dash == std::string_view::npos ? std::string_view::npos : dash - begin))) {
      return false;
    }
    if (dash == std::string_view::npos) return true;
    begin = dash + 1;
  }
}

bool valid_maker(std::string_view name) {
  if (name.empty() || name.size() > 32) return false;
  return std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7F && c != '"' && c != ';'; });
}

std::string engine_motor_problem(const EngineMotor& m) {
  if (!valid_designation(m.designation)) {
    return "a designação \"" + m.designation + "\" não tem a classe e o empuxo médio";
  }
  if (!(std::isfinite(m.diameter) && std::isfinite(m.length) && m.diameter >= kEngMinSizeMm &&
        m.length >= kEngMinSizeMm)) {
    return "o diâmetro e o comprimento do motor vão em mm, 1 mm ou mais";
  }
  if (!(std::isfinite(m.total_mass) && m.propellant_mass > 0.0 && m.propellant_mass < m.total_mass)) {
    return "a massa de propelente, " + shortest(m.propellant_mass) +
           " kg, deve ser maior que 0 e menor que a massa total do motor, " + shortest(m.total_mass) + " kg";
  }
  if (!valid_delays(m.delays)) return "os atrasos \"" + m.delays + "\" não são uma lista como 4-6-8 ou P";
  if (!valid_maker(m.maker)) return "o fabricante \"" + m.maker + "\" não é um nome sem espaços";
  return "";
}

std::string eng_text(const EngineMotor& m, const PrintedCurve& curve) {
  const PrintedMasses masses = printed_masses(m.propellant_mass, m.total_mass, 1.0, 5);
  std::string text = "; " + m.comment + "\n";
  text += m.designation + " " + fixed(m.diameter, 1) + " " + fixed(m.length, 1) + " " + m.delays + " " +
          masses.propellant + " " + masses.total + " " + m.maker + "\n";
  for (const PrintedPoint& p : curve.points) text += p.t + " " + p.F + "\n";
  return text;
}

std::string rse_text(const EngineMotor& m, const PrintedCurve& curve) {
  const PrintedMasses grams = printed_masses(m.propellant_mass, m.total_mass, 1000.0, 2);
  const double burn_time = curve.points.empty() ? 0.0 : curve.points.back().t_value;
  std::string delays = m.delays;
  std::replace(delays.begin(), delays.end(), '-', ',');
  std::string text = "<engine-database>\n  <engine-list>\n    <engine";
  text += attribute("mfg", m.maker) + attribute("code", m.designation) + attribute("Type", "single-use");
  text += attribute("dia", fixed(m.diameter, 1)) + attribute("len", fixed(m.length, 1));
  text += attribute("initWt", grams.total) + attribute("propWt", grams.propellant) + attribute("delays", delays);
  text += attribute("auto-calc-mass", "0") + attribute("auto-calc-cg", "1");
  text += attribute("Itot", figure(curve.It)) + attribute("avgThrust", figure(curve.It / burn_time));
  text += attribute("peakThrust", figure(curve.peak)) + attribute("burn-time", figure(burn_time));
  text += attribute("Isp", figure(curve.It / (m.propellant_mass * kStandardGravity)));
  text += attribute("massFrac", fixed(m.propellant_mass / m.total_mass * 100.0, 2));
  text += attribute("throatDia", "0") + attribute("exitDia", "0") + ">\n";
  text += "      <comments>" + xml_text(m.comment) + "</comments>\n      <data>\n";
  const double grams_left = read_back(grams.propellant);
  const int mass_decimals = decimals_for(grams_left, 4, 2);
  double delivered = 0.0;
  PrintedPoint before;
  text += "        <eng-data t=\"0\" f=\"0\" m=\"" + grams.propellant + "\"/>\n";
  for (const PrintedPoint& p : curve.points) {
    delivered += trapezoid(before.t_value, before.F_value, p.t_value, p.F_value);
    const double left = &p == &curve.points.back() ? 0.0 : std::max(0.0, grams_left * (1.0 - delivered / curve.It));
    text += "        <eng-data t=\"" + p.t + "\" f=\"" + p.F + "\" m=\"" + fixed(left, mass_decimals) + "\"/>\n";
    before = p;
  }
  text += "      </data>\n    </engine>\n  </engine-list>\n</engine-database>\n";
  return text;
}
