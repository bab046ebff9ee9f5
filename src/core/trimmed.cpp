#include "core/trimmed.h"

std::string_view trimmed(std::string_view field) {
  const auto first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return field.substr(0, 0);
  const auto last = field.find_last_not_of(' ');
  return field.substr(first, last - first + 1);
}
