#include "tools/inspect/text.h"

#include <charconv>

std::string fixed(double value, int decimals) {
  char buffer[352];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.starts_with("-") && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string shortest(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string percent(double share_times_100, int decimals) {
  std::string text = share_times_100 >= 0.0 || fixed(share_times_100, decimals) == fixed(0.0, decimals) ? "+" : "";
  text += fixed(share_times_100, decimals);
  text += " %";
  return text;
}
