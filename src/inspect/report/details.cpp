#include "inspect/report/details.h"

#include <optional>

#include "inspect/common/code_page.h"

namespace {

using Field = std::optional<std::string> ReportDetails::*;
struct Key {
  std::string_view word;
  Field field;
};
constexpr Key kKeys[] = {{"motor", &ReportDetails::motor},
                         {"equipe", &ReportDetails::team},
                         {"data", &ReportDetails::date},
                         {"notas", &ReportDetails::notes}};

std::string_view stripped(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

}  // namespace

ReportDetails read_report_details(std::string_view text) {
  ReportDetails details;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = stripped(line.substr(0, equals));
    for (const Key& k : kKeys) {
      if (key == k.word) details.*k.field = std::string(stripped(line.substr(equals + 1)));
    }
  }
  return details;
}

std::string report_details_text(const ReportDetails& details) {
  std::string text;
  for (const Key& k : kKeys) {
    if (details.*k.field) text += std::string(k.word) + " = " + *(details.*k.field) + "\r\n";
  }
  return text;
}

ReportDetails merge_report_details(const ReportDetails& kept, const ReportDetails& given) {
  ReportDetails merged = kept;
  for (const Key& k : kKeys) {
    if (given.*k.field) merged.*k.field = std::string(stripped(to_windows_1252(*(given.*k.field))));
  }
  return merged;
}
