// Text from the firings placed into CSV fields and gnuplot strings.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "inspect/series/csv.h"
#include "inspect/series/plot.h"

namespace {

TEST(SeriesText, CsvFieldsStayText) {
  static const struct {
    const char* text;
    const char* field;
  } cases[] = {
      {"motor 7", "\"motor 7\""},
      {"a;b,c", "\"a;b,c\""},
      {"diz \"oi\"", "\"diz \"\"oi\"\"\""},
      {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},  // a spreadsheet formula kept as text
      {"+1", "\"'+1\""},
      {"-teste", "\"'-teste\""},
      {"@soma", "\"'@soma\""},
      {"", "\"\""},
  };
  for (const auto& c : cases) EXPECT_EQ(csv_text_field(c.text), c.field) << c.text;
}

TEST(SeriesText, CsvNumbersInBothDialects) {
  static const struct {
    double value;
    const char* portuguese;
    const char* international;
    // clang-format off
  } cases[] = {
      {4936.855123, "4936,855", "4936.855"},
      {0.0005, "0,0005", "0.0005"},
      {2000.0, "2000", "2000"},
      {-1.5e-7, "-1,5e-07", "-1.5e-07"},
      {INFINITY, "", ""},
      {NAN, "", ""},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(csv_number(c.value, CsvDialect::portuguese), c.portuguese) << c.value;
    EXPECT_EQ(csv_number(c.value, CsvDialect::international), c.international) << c.value;
  }
}

TEST(SeriesText, GnuplotStringsCannotEndEarly) {
  static const struct {
    const char* text;
    const char* quoted;
  } cases[] = {
      {"ensaio 1", "'ensaio 1'"},
      {"d'Ávila", "'d''Ávila'"},
      {"x'; system('rm -rf ~'); '", "'x''; system(''rm -rf ~''); '''"},
      {"linha\nnova\r", "'linha nova '"},
      {"<cat /etc/passwd", "'<cat /etc/passwd'"},
  };
  for (const auto& c : cases) EXPECT_EQ(gnuplot_quoted(c.text), c.quoted) << c.text;
}

}  // namespace
