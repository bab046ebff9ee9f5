// A small JSON writer for the companion's machine-readable output: objects,
// arrays, numbers in their shortest round-trip form and text escaped so that
// the document is always valid UTF-8 (RFC 8259), whatever the bytes given.
#ifndef TALVIRONESKA_INSPECT_JSON_WRITER_H_
#define TALVIRONESKA_INSPECT_JSON_WRITER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The document being written, two blanks of indent per level. Calls must
// nest: a key before each value of an object, none in an array.
struct JsonWriter {
  std::string text;
  std::vector<bool> filled;  // per open container: a member written already
  bool after_key = false;
};

void json_open_object(JsonWriter& json);
void json_close_object(JsonWriter& json);
void json_open_array(JsonWriter& json);
void json_close_array(JsonWriter& json);
void json_key(JsonWriter& json, std::string_view key);

// VALUE in the shortest form that reads back as the same double; infinite
// and not-a-number values are null.
void json_number(JsonWriter& json, double value);
void json_integer(JsonWriter& json, std::int64_t value);
void json_bool(JsonWriter& json, bool value);
void json_null(JsonWriter& json);
// TEXT as a JSON string: valid UTF-8 kept, anything else read as
// Windows-1252 (the logs' and the case files' code); quotes, backslashes and
// control bytes escaped.
void json_text(JsonWriter& json, std::string_view text);

// A key and its value, in one call.
void json_number_field(JsonWriter& json, std::string_view key, double value);
void json_integer_field(JsonWriter& json, std::string_view key, std::int64_t value);
void json_text_field(JsonWriter& json, std::string_view key, std::string_view text);
void json_null_field(JsonWriter& json, std::string_view key);

// True when TEXT is UTF-8 by RFC 3629: no overlong form, no surrogate,
// nothing past U+10FFFF.
bool valid_utf8(std::string_view text);

#endif  // TALVIRONESKA_INSPECT_JSON_WRITER_H_
