#include "inspect/log/dialect.h"

#include <gtest/gtest.h>

#include <array>

#include "inspect/log/units.h"

namespace {

TEST(LogDialect, FoundFromTheFirstLines) {
  const struct {
    const char* head;
    Separator separator;
    bool decimal_comma;
    bool crlf;
    std::uint32_t header_line;
    std::size_t columns;
    std::vector<std::string> names;
    // clang-format off
  } cases[] = {
      {"time_ms,weight_g\n1000,35.00\n1012,35.10\n", Separator::comma, false, false, 1, 2, {"time_ms", "weight_g"}},
      {"time_ms;weight_g\r\n1000;35,00\r\n1012;35,10\r\n", Separator::semicolon, true, true, 1, 2,
       {"time_ms", "weight_g"}},
      {"0.000;1.5\n0.001;1.6\n", Separator::semicolon, false, false, 0, 2, {}},
      {"\n\nTempo (s)\tEmpuxo (N)\n0,001\t1,5\n", Separator::tab, true, false, 3, 2, {"Tempo (s)", "Empuxo (N)"}},
      {"1765000000.000\t0.035\n", Separator::tab, false, false, 0, 2, {}},
      {"0,002 1,234\n0,004 1,250\n", Separator::blanks, true, false, 0, 2, {}},
      {"  0.002   1.5e-3  7\n", Separator::blanks, false, false, 0, 3, {}},
      {"Force_lbf\r\n-22.492\r\n", Separator::blanks, false, true, 1, 1, {"Force_lbf"}},
      {"-22.492\r\n-15.538\r\n", Separator::blanks, false, true, 0, 1, {}},
      {"\"t_us\",\"raw\",\"F_N\"\n0,100,0.5\n", Separator::comma, false, false, 1, 3, {"t_us", "raw", "F_N"}},
      // Names apart by blanks over values apart by commas still name them.
      {"t_ms F_g\n0,1\n", Separator::comma, false, false, 1, 2, {"t_ms", "F_g"}},
      // A header that does not match the data names nothing.
      {"Registro da bancada\n0 1\n", Separator::blanks, false, false, 1, 2, {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    LogDialect d;
    std::string problem;
    ASSERT_TRUE(detect_dialect(c.head, true, &d, &problem)) << c.head << problem;
    EXPECT_EQ(d.separator, c.separator) << c.head;
    EXPECT_EQ(d.decimal_comma, c.decimal_comma) << c.head;
    EXPECT_EQ(d.crlf, c.crlf) << c.head;
    EXPECT_EQ(d.header_line, c.header_line) << c.head;
    EXPECT_EQ(d.columns, c.columns) << c.head;
    EXPECT_EQ(d.column_names, c.names) << c.head;
  }
}

TEST(LogDialect, NoDataLineIsAProblem) {
  const std::string wide = "0" + std::string(64, ',') + "1\n";
  for (const std::string& head : {std::string(), std::string("\n  \n"), std::string("time_ms,weight_g\n"), wide}) {
    LogDialect d;
    std::string problem;
    EXPECT_FALSE(detect_dialect(head, true, &d, &problem)) << head;
    EXPECT_FALSE(problem.empty());
  }
}

TEST(LogDialect, AHeadCutByTheBlockIgnoresItsLastPiece) {
  LogDialect d;
  std::string problem;
  ASSERT_TRUE(detect_dialect("0.0 1.0\n0.1 2.0\n0.2 3,", false, &d, &problem));
  EXPECT_FALSE(d.decimal_comma);
  EXPECT_EQ(d.columns, 2u);
}

TEST(LogDialect, SplitsFields) {
  const struct {
    const char* line;
    Separator separator;
    std::vector<std::string> fields;
  } cases[] = {
      {"1, 2 ,3", Separator::comma, {"1", "2", "3"}},
      {"1,2,", Separator::comma, {"1", "2"}},
      {"1,,3", Separator::comma, {"1", "", "3"}},
      {"\"1\";\"2,5\"", Separator::semicolon, {"1", "2,5"}},
      {" a \t b  ", Separator::blanks, {"a", "b"}},
      {"1\t\t3", Separator::tab, {"1", "", "3"}},
      {"   ", Separator::comma, {}},
  };
  for (const auto& c : cases) {
    std::array<std::string_view, kMaxFields> fields;
    const std::size_t n = split_fields(c.line, c.separator, fields);
    ASSERT_EQ(n, c.fields.size()) << c.line;
    for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(fields[i], c.fields[i]) << c.line;
  }
}

TEST(LogDialect, ParsesLoggersNumbers) {
  const struct {
    const char* field;
    bool decimal_comma;
    bool ok;
    double value;
    // clang-format off
  } cases[] = {
      {"12.5", false, true, 12.5},   {"+12.5", false, true, 12.5}, {"-0.25", false, true, -0.25},
      {".5", false, true, 0.5},      {"1e3", false, true, 1000.0}, {"1,5", true, true, 1.5},
      {"-1,5E-1", true, true, -0.15}, {"12", true, true, 12.0},
      {"1,5", false, false, 0},      {"1.5", true, false, 0},      {"12.5g", false, false, 0},
      {"inf", false, false, 0},      {"nan", false, false, 0},     {"", false, false, 0},
      {"--1", false, false, 0},      {"1e999", false, false, 0},   {"1.234,5", true, false, 0},
      {"1D3", false, false, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    double value = -99.0;
    EXPECT_EQ(parse_log_number(c.field, c.decimal_comma, &value), c.ok) << c.field;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.field;
    }
  }
}

TEST(LogUnits, TakenFromHeaderNames) {
  const struct {
    const char* name;
    TimeUnit time;
    ThrustUnit thrust;
    // clang-format off
  } cases[] = {
      {"time_ms", TimeUnit::ms, ThrustUnit::none},      {"Tempo (s)", TimeUnit::s, ThrustUnit::none},
      {"t[us]", TimeUnit::us, ThrustUnit::none},        {"t_\xC2\xB5s", TimeUnit::us, ThrustUnit::none},
      {"millis", TimeUnit::ms, ThrustUnit::none},       {"unix_time", TimeUnit::epoch, ThrustUnit::none},
      {"weight_g", TimeUnit::none, ThrustUnit::g},      {"Force_lbf", TimeUnit::none, ThrustUnit::lbf},
      {"Empuxo (N)", TimeUnit::none, ThrustUnit::N},    {"carga_kg", TimeUnit::none, ThrustUnit::kgf},
      {"timestamp", TimeUnit::none, ThrustUnit::none},  {"thrust", TimeUnit::none, ThrustUnit::none},
      {"grams_per_s", TimeUnit::s, ThrustUnit::g},      {"Seconds", TimeUnit::s, ThrustUnit::none},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(time_unit_in_header(c.name), c.time) << c.name;
    EXPECT_EQ(thrust_unit_in_header(c.name), c.thrust) << c.name;
  }
}

}  // namespace
