// A strict reader of the JSON the companion writes, for the tests: the whole
// text must be one value by RFC 8259 and valid UTF-8, else nothing.
#ifndef TALVIRONESKA_TESTS_SUPPORT_JSON_VALUE_H_
#define TALVIRONESKA_TESTS_SUPPORT_JSON_VALUE_H_

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JsonValue {
  enum class Kind { null, boolean, number, string, array, object } kind = Kind::null;
  bool boolean = false;
  double number = 0.0;
  std::string string;
  std::vector<JsonValue> array;
  // An object's members in the document's order: names and values apart,
  // as a pair with the type not complete yet is refused by some compilers.
  std::vector<std::string> keys;
  std::vector<JsonValue> values;

  bool is_null() const { return kind == Kind::null; }
  // The member KEY of an object; a null value when there is none.
  const JsonValue& operator[](std::string_view key) const {
    static const JsonValue none;
    for (std::size_t m = 0; m < keys.size(); ++m) {
      if (keys[m] == key) return values[m];
    }
    return none;
  }
  const JsonValue& operator[](std::size_t i) const { return array.at(i); }
  bool has(std::string_view key) const {
    for (const std::string& k : keys) {
      if (k == key) return true;
    }
    return false;
  }
};

namespace json_value_detail {

struct Reader {
  std::string_view s;
  std::size_t i = 0;

  void blanks() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
  }
  bool eat(char c) {
    blanks();
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
  bool word(std::string_view w) {
    if (s.substr(i, w.size()) != w) return false;
    i += w.size();
    return true;
  }
  static void put_utf8(std::string& out, unsigned u) {
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  bool string(std::string& out) {
    if (!eat('"')) return false;
    while (i < s.size() && s[i] != '"') {
      const auto c = static_cast<unsigned char>(s[i++]);
      if (c < 0x20) return false;
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (i >= s.size()) return false;
      const char e = s[i++];
      const std::string_view simple = "\"\\/bfnrt";
      const std::string_view meant = "\"\\/\b\f\n\r\t";
      if (const auto k = simple.find(e); k != std::string_view::npos) {
        out += meant[k];
      } else if (e == 'u' && i + 4 <= s.size()) {
        const std::string hex(s.substr(i, 4));
        char* end = nullptr;
        const unsigned u = static_cast<unsigned>(std::strtoul(hex.c_str(), &end, 16));
        if (end != hex.c_str() + 4) return false;
        put_utf8(out, u);
        i += 4;
      } else {
        return false;
      }
    }
    return eat('"');
  }
  bool number(double& out) {
    const std::size_t start = i;
    if (i < s.size() && s[i] == '-') ++i;
    if (i < s.size() && s[i] == '0') {
      ++i;
    } else if (i < s.size() && s[i] >= '1' && s[i] <= '9') {
      while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    } else {
      return false;
    }
    auto digits = [&] {
      const std::size_t from = i;
      while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
      return i > from;
    };
    if (i < s.size() && s[i] == '.' && (++i, !digits())) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
      ++i;
      if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
      if (!digits()) return false;
    }
    out = std::strtod(std::string(s.substr(start, i - start)).c_str(), nullptr);
    return true;
  }
  bool value(JsonValue& v, int depth) {
    blanks();
    if (depth > 64 || i >= s.size()) return false;
    if (s[i] == '{') {
      ++i;
      v.kind = JsonValue::Kind::object;
      if (eat('}')) return true;
      do {
        std::string key;
        JsonValue member;
        if (!string(key) || !eat(':') || !value(member, depth + 1)) return false;
        v.keys.push_back(std::move(key));
        v.values.push_back(std::move(member));
      } while (eat(','));
      return eat('}');
    }
    if (s[i] == '[') {
      ++i;
      v.kind = JsonValue::Kind::array;
      if (eat(']')) return true;
      do {
        v.array.emplace_back();
        if (!value(v.array.back(), depth + 1)) return false;
      } while (eat(','));
      return eat(']');
    }
    if (s[i] == '"') {
      v.kind = JsonValue::Kind::string;
      return string(v.string);
    }
    if (word("null")) return true;
    if (word("true") || word("false")) {
      v.kind = JsonValue::Kind::boolean;
      v.boolean = s[i - 1] == 'e' && s[i - 2] == 'u';
      return true;
    }
    v.kind = JsonValue::Kind::number;
    return number(v.number);
  }
};

// RFC 3629: no overlong form, no surrogate, nothing past U+10FFFF.
inline bool utf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80                 ? 1
                    : c >= 0xC2 && c <= 0xDF ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || i + n > s.size()) return false;
    const unsigned long code = n == 1 ? c : n == 2 ? (c & 0x1Fu) : n == 3 ? (c & 0x0Fu) : (c & 0x07u);
    unsigned long u = code;
    for (std::size_t k = 1; k < n; ++k) {
      const auto next = static_cast<unsigned char>(s[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      u = (u << 6) | (next & 0x3Fu);
    }
    if ((n == 3 && (u < 0x800 || (u >= 0xD800 && u <= 0xDFFF))) || (n == 4 && (u < 0x10000 || u > 0x10FFFF)))
      return false;
    i += n;
  }
  return true;
}

}  // namespace json_value_detail

// TEXT as one JSON value, nothing after it but blanks; nothing when it is not.
inline std::optional<JsonValue> parse_json(std::string_view text) {
  if (!json_value_detail::utf8(text)) return std::nullopt;
  json_value_detail::Reader reader{text};
  JsonValue v;
  if (!reader.value(v, 0)) return std::nullopt;
  reader.blanks();
  if (reader.i != text.size()) return std::nullopt;
  return v;
}

#endif  // TALVIRONESKA_TESTS_SUPPORT_JSON_VALUE_H_
