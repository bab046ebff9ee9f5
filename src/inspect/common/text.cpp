#include "inspect/common/text.h"

#include <charconv>
#include <system_error>

std::string fixed(double value, int decimals) {
  // Room for any double with a few decimals; more when asked for more.
  std::string text(352, '\0');
  for (;;) {
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc()) {
      text.resize(static_cast<std::size_t>(result.ptr - text.data()));
      break;
    }
    text.resize(text.size() * 2);
  }
  if (text.starts_with("-") && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string shortest(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string significant(double value, int digits) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  return std::string(buffer, result.ptr);
}

std::string percent(double share_times_100, int decimals) {
  std::string text = share_times_100 >= 0.0 || fixed(share_times_100, decimals) == fixed(0.0, decimals) ? "+" : "";
  text += fixed(share_times_100, decimals);
  text += " %";
  return text;
}
