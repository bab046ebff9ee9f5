#include "inspect/report/html.h"

#include <cmath>
#include <cstdio>

#include "inspect/common/code_page.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

void append_escaped(char32_t code, std::string_view bytes, std::string* out) {
  switch (code) {
    case '&': *out += "&amp;"; return;
    case '<': *out += "&lt;"; return;
    case '>': *out += "&gt;"; return;
    case '"': *out += "&quot;"; return;
    case '\'': *out += "&#39;"; return;
    default: break;
  }
  if ((code < 0x20 && code != '\t') || code == 0x7F || (code >= 0x80 && code < 0xA0)) {
    *out += kReplacement;
  } else {
    out->append(bytes);
  }
}

}  // namespace

std::string html_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (std::size_t at = 0; at < text.size();) {
    char32_t code = 0;
    const std::size_t n = utf8_sequence(text, at, &code);
    if (n == 0) {
      out += kReplacement;
      ++at;
      continue;
    }
    append_escaped(code, text.substr(at, n), &out);
    at += n;
  }
  return out;
}

std::string html_text(std::string_view text) { return html_utf8(utf8_from_cp1252(text)); }

std::string page_number(double x, int decimals) {
  if (!std::isfinite(x)) return "\xE2\x80\x94";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
  std::string text = buffer;
  if (text.find_first_not_of("-0.") == std::string::npos) text = std::string(buffer + (buffer[0] == '-'));
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

std::string json_figure(std::string_view name, double x, int decimals) {
  return "<span data-json=\"" + std::string(name) + "\">" + page_number(x, decimals) + "</span>";
}
