#include "inspect/log/units.h"

#include <string>
#include <vector>

namespace {

constexpr double kStandardGravity = 9.80665;  // m/s², defines the kilogram-force
constexpr double kNewtonsPerPoundForce = 4.4482216152605;

// The name in lower-case words of letters and digits; "µ" (UTF-8 or
// Windows-1252) becomes "u", so "t_µs" holds the word "us".
std::vector<std::string> words(std::string_view name) {
  std::vector<std::string> out;
  std::string word;
  auto flush = [&] {
    if (!word.empty()) out.push_back(word);
    word.clear();
  };
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) == 0xB5) {
      word += 'u';
      ++i;
    } else if (c == 0xB5) {
      word += 'u';
    } else if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) {
      word += static_cast<char>(c);
    } else if (c >= 'A' && c <= 'Z') {
      word += static_cast<char>(c - 'A' + 'a');
    } else {
      flush();
    }
  }
  flush();
  return out;
}

TimeUnit time_word(std::string_view w) {
  if (w == "s" || w == "sec" || w == "secs" || w == "seconds" || w == "seg" || w == "segundos") return TimeUnit::s;
  if (w == "ms" || w == "msec" || w == "millis" || w == "milliseconds") return TimeUnit::ms;
  if (w == "us" || w == "usec" || w == "micros" || w == "microseconds") return TimeUnit::us;
  if (w == "epoch" || w == "unix") return TimeUnit::epoch;
  return TimeUnit::none;
}

ThrustUnit thrust_word(std::string_view w) {
  if (w == "n" || w == "newton" || w == "newtons") return ThrustUnit::N;
  if (w == "g" || w == "gf" || w == "gram" || w == "grams" || w == "grama" || w == "gramas") return ThrustUnit::g;
  if (w == "kg" || w == "kgf" || w == "kilograms" || w == "quilogramas") return ThrustUnit::kgf;
  if (w == "lbf" || w == "lb" || w == "lbs") return ThrustUnit::lbf;
  return ThrustUnit::none;
}

}  // namespace

TimeUnit time_unit_named(std::string_view name) {
  if (name == "s") return TimeUnit::s;
  if (name == "ms") return TimeUnit::ms;
  if (name == "us" || name == "\xC2\xB5s") return TimeUnit::us;
  if (name == "epoch") return TimeUnit::epoch;
  return TimeUnit::none;
}

ThrustUnit thrust_unit_named(std::string_view name) {
  if (name == "N") return ThrustUnit::N;
  if (name == "g") return ThrustUnit::g;
  if (name == "kg" || name == "kgf") return ThrustUnit::kgf;
  if (name == "lbf") return ThrustUnit::lbf;
  return ThrustUnit::none;
}

TimeUnit time_unit_in_header(std::string_view column_name, TimeUnit* other) {
  TimeUnit unit = TimeUnit::none;
  for (const std::string& w : words(column_name)) {
    const TimeUnit u = time_word(w);
    if (unit == TimeUnit::none) unit = u;
    if (other != nullptr && *other == TimeUnit::none && u != TimeUnit::none && u != unit) *other = u;
  }
  return unit;
}

ThrustUnit thrust_unit_in_header(std::string_view column_name, ThrustUnit* other) {
  ThrustUnit unit = ThrustUnit::none;
  for (const std::string& w : words(column_name)) {
    const ThrustUnit u = thrust_word(w);
    if (unit == ThrustUnit::none) unit = u;
    if (other != nullptr && *other == ThrustUnit::none && u != ThrustUnit::none && u != unit) *other = u;
  }
  return unit;
}

double per_second(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::ms: return 1e3;
    case TimeUnit::us: return 1e6;
    default: return 1.0;
  }
}

double newtons_per(ThrustUnit unit) {
  switch (unit) {
    case ThrustUnit::g: return kStandardGravity / 1000.0;
    case ThrustUnit::kgf: return kStandardGravity;
    case ThrustUnit::lbf: return kNewtonsPerPoundForce;
    default: return 1.0;
  }
}

const char* unit_text(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::s: return "s";
    case TimeUnit::ms: return "ms";
    case TimeUnit::us: return "µs";
    case TimeUnit::epoch: return "segundos epoch";
    case TimeUnit::none: break;
  }
  return "?";
}

const char* unit_text(ThrustUnit unit) {
  switch (unit) {
    case ThrustUnit::N: return "N";
    case ThrustUnit::g: return "g";
    case ThrustUnit::kgf: return "kgf";
    case ThrustUnit::lbf: return "lbf";
    case ThrustUnit::none: break;
  }
  return "?";
}
