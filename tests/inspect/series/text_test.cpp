// Text from the firings placed into CSV fields and gnuplot strings.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "inspect/common/cp1252.h"
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

TEST(SeriesText, FileNamesInUtf8ReachTheFilesInWindows1252) {
  static const struct {
    const char* utf8;
    const char* cp1252;
  } cases[] = {
      {"queima_\xC3\xA7\xC3\xA3o.dat", "queima_\xE7\xE3o.dat"},
      {"\xE2\x82\xAC 5", "\x80 5"},  // the euro sign is one of the codes that differ from Latin-1
      {"plain", "plain"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp1252_from_utf8(c.utf8), c.cp1252) << c.utf8;
    EXPECT_EQ(utf8_from_cp1252(c.cp1252), c.utf8) << c.utf8;
  }
  // Not UTF-8 (already Windows-1252, cut short, overlong) or not in
  // Windows-1252: kept byte for byte.
  for (const char* kept : {"a\xE7\xE3o", "x\xC3", "\xC0\xAF", "\xE6\x97\xA5"}) EXPECT_EQ(cp1252_from_utf8(kept), kept);
}

}  // namespace
