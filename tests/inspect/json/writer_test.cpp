#include "inspect/json/writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

std::string text_of(std::string_view text) {
  JsonWriter json;
  json_text(json, text);
  return json.text;
}

TEST(JsonWriter, TextIsEscapedAndAlwaysUtf8) {
  const struct {
    std::string_view text;
    const char* json;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a \"b\" \\c", R"("a \"b\" \\c")"},
      {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
      {std::string_view("\x00\x01\x1f\x7f", 4), R"("\u0000\u0001\u001f\u007f")"},
      {"ensaio_pr\xC3\xA9.dat", "\"ensaio_pr\xC3\xA9.dat\""},  // UTF-8 kept
      {"\xF0\x9F\x9A\x80", "\"\xF0\x9F\x9A\x80\""},            // four bytes kept
      {"pr\xE9 \x80", "\"pr\xC3\xA9 \xE2\x82\xAC\""},          // Windows-1252 converted
      {"\xC0\xAF", "\"\xC3\x80\xC2\xAF\""},                    // overlong: not UTF-8
      {"\xED\xA0\x80", "\"\xC3\xAD\xC2\xA0\xE2\x82\xAC\""},    // a surrogate: not UTF-8
      {"\xE2\x82", "\"\xC3\xA2\xE2\x80\x9A\""},                // cut short
      {"\x81", "\"?\""},                                       // unassigned in Windows-1252
  };
  for (const auto& c : cases) {
    const std::string out = text_of(c.text);
    EXPECT_EQ(out, c.json) << c.json;
    EXPECT_TRUE(valid_utf8(out)) << c.json;
  }
}

TEST(JsonWriter, ValidUtf8FollowsRfc3629) {
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"", true},          {"\xC3\xA9", true},      {"\xEF\xBF\xBF", true},  {"\xF4\x8F\xBF\xBF", true},
      {"\xC1\xBF", false}, {"\xE0\x9F\xBF", false}, {"\xED\xBF\xBF", false}, {"\xF4\x90\x80\x80", false},
      {"\xF5\x80", false}, {"\xC3", false},         {"\xBF", false},         {"\xE2\x28\xA1", false},
  };
  for (const auto& c : cases) EXPECT_EQ(valid_utf8(c.text), c.valid) << c.text;
}

TEST(JsonWriter, NumbersReadBackExactlyAndNonFiniteAreNull) {
  const double values[] = {0.0, -0.0, 1.0, 160.0, 0.1, 2.0 / 3.0, 1e-300, 1.7976931348623157e308, -61.409, 4.9e-324};
  for (const double v : values) {
    JsonWriter json;
    json_number(json, v);
    EXPECT_EQ(std::strtod(json.text.c_str(), nullptr), v) << json.text;
    EXPECT_EQ(json.text.find_first_not_of("0123456789-+.e"), std::string::npos) << json.text;
  }
  for (const double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
    JsonWriter json;
    json_number(json, v);
    EXPECT_EQ(json.text, "null");
  }
}

TEST(JsonWriter, ContainersNestWithCommasBetweenMembersOnly) {
  JsonWriter json;
  json_open_object(json);
  json_integer_field(json, "version", 1);
  json_key(json, "list");
  json_open_array(json);
  json_number(json, 0.5);
  json_open_object(json);
  json_close_object(json);
  json_open_array(json);
  json_close_array(json);
  json_bool(json, true);
  json_null(json);
  json_close_array(json);
  json_text_field(json, "k\"ey", "v");
  json_close_object(json);
  EXPECT_EQ(json.text,
            "{\n"
            "  \"version\": 1,\n"
            "  \"list\": [\n"
            "    0.5,\n"
            "    {},\n"
            "    [],\n"
            "    true,\n"
            "    null\n"
            "  ],\n"
            "  \"k\\\"ey\": \"v\"\n"
            "}\n");
  EXPECT_TRUE(json.filled.empty());
}

}  // namespace
