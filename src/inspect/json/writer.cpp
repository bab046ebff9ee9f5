#include "inspect/json/writer.h"

#include <charconv>
#include <cmath>

#include "inspect/common/code_page.h"

namespace {

// The separator and line break before a value or a key.
void begin_item(JsonWriter& json) {
  if (json.after_key) {
    json.after_key = false;
    return;
  }
  if (json.filled.empty()) return;
  if (json.filled.back()) json.text += ',';
  json.filled.back() = true;
  json.text += '\n';
  json.text.append(2 * json.filled.size(), ' ');
}

void open(JsonWriter& json, char bracket) {
  begin_item(json);
  json.text += bracket;
  json.filled.push_back(false);
}

void close(JsonWriter& json, char bracket) {
  const bool filled = json.filled.back();
  json.filled.pop_back();
  if (filled) {
    json.text += '\n';
    json.text.append(2 * json.filled.size(), ' ');
  }
  json.text += bracket;
  if (json.filled.empty()) json.text += '\n';
}

void append_escaped(std::string& out, std::string_view utf8) {
  constexpr char kHex[] = "0123456789abcdef";
  for (const char byte : utf8) {
    const auto c = static_cast<unsigned char>(byte);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          out += byte;
        }
    }
  }
}

}  // namespace

bool valid_utf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t n = utf8_sequence(text, i, &code);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

void json_open_object(JsonWriter& json) { open(json, '{'); }
void json_close_object(JsonWriter& json) { close(json, '}'); }
void json_open_array(JsonWriter& json) { open(json, '['); }
void json_close_array(JsonWriter& json) { close(json, ']'); }

void json_key(JsonWriter& json, std::string_view key) {
  begin_item(json);
  json.text += '"';
  append_escaped(json.text, key);
  json.text += "\": ";
  json.after_key = true;
}

void json_number(JsonWriter& json, double value) {
  if (!std::isfinite(value)) return json_null(json);
  begin_item(json);
  char digits[32];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  json.text.append(digits, static_cast<std::size_t>(end - digits));
}

void json_integer(JsonWriter& json, std::int64_t value) {
  begin_item(json);
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  json.text.append(digits, static_cast<std::size_t>(end - digits));
}

void json_bool(JsonWriter& json, bool value) {
  begin_item(json);
  json.text += value ? "true" : "false";
}

void json_null(JsonWriter& json) {
  begin_item(json);
  json.text += "null";
}

void json_text(JsonWriter& json, std::string_view text) {
  begin_item(json);
  json.text += '"';
  if (valid_utf8(text)) {
    append_escaped(json.text, text);
  } else {
    append_escaped(json.text, utf8_from_cp1252(text));
  }
  json.text += '"';
}

void json_number_field(JsonWriter& json, std::string_view key, double value) {
  json_key(json, key);
  json_number(json, value);
}

void json_integer_field(JsonWriter& json, std::string_view key, std::int64_t value) {
  json_key(json, key);
  json_integer(json, value);
}

void json_text_field(JsonWriter& json, std::string_view key, std::string_view text) {
  json_key(json, key);
  json_text(json, text);
}

void json_null_field(JsonWriter& json, std::string_view key) {
  json_key(json, key);
  json_null(json);
}
