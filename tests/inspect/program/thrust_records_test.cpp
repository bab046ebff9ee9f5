#include "inspect/program/thrust_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

TEST(ThrustRecords, CleanFileWithNotesAndCrLf) {
  const ThrustFile f = read_thrust_text("0.0 1.5\r\n\r\n0.1,2.5 nota\r\n  0.2\t3.5 9 9\r\n");
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f.lines, 4u);
  EXPECT_EQ(f.readable, 3u);
  EXPECT_EQ(f.unreadable.count, 0u);
  EXPECT_EQ(f.t[1], 0.1);
  EXPECT_EQ(f.F[1], 2.5);
  EXPECT_EQ(f.line_of(2), 4u);
  EXPECT_EQ(f.decimal_comma.count + f.null_or_slash.count + f.split.count + f.incomplete.count, 0u);
}

TEST(ThrustRecords, UnreadableLinesAreCountedAndTheRestIsRead) {
  struct Case {
    const char* text;
    std::uint32_t line;
    ReadError error;
    LineHint hint;
    std::size_t readable;
  };
  const Case cases[] = {
      {"tempo empuxo\n0.0 1.0\n0.2 3.0\n", 1, ReadError::syntax, LineHint::header, 0},
      {"0.0 1.0\n0.1 2.0N\n0.2 3.0\n", 2, ReadError::syntax, LineHint::unit_letter, 1},
      {"0.0 1.0\n0,1;2,0\n0.2 3.0\n", 2, ReadError::syntax, LineHint::decimal_comma, 1},
      {"0.0 1.0\n0.1 #2\n0.2 3.0\n", 2, ReadError::syntax, LineHint::other, 1},
      {"0.0 1.0\n0.1 1e999\n0.2 3.0\n", 2, ReadError::conversion, LineHint::other, 1},
  };
  for (const Case& c : cases) {
    const ThrustFile f = read_thrust_text(c.text);
    EXPECT_EQ(f.unreadable.count, 1u) << c.text;
    EXPECT_EQ(f.unreadable.first_line, c.line) << c.text;
    EXPECT_EQ(f.first_error, c.error) << c.text;
    EXPECT_EQ(f.first_hint, c.hint) << c.text;
    EXPECT_EQ(f.readable, c.readable) << c.text;
    EXPECT_EQ(f.size(), 2u) << c.text;
    EXPECT_EQ(f.F[f.size() - 1], 3.0) << c.text;
  }
}

TEST(ThrustRecords, AHeaderOfSeveralLinesShowsItsFirstLine) {
  const ThrustFile f = read_thrust_text("AT-F67\n*\nF67-6W\n0.000 0.5\n");
  EXPECT_EQ(f.unreadable.count, 3u);
  EXPECT_EQ(f.unreadable.first_line, 1u);
  EXPECT_EQ(f.unreadable.first_text, "AT-F67");
  EXPECT_TRUE(f.unreadable_before_first_record);
}

// A decimal comma stops the program with error 59 (it once split a number
// in two and went on with wrong figures): such lines are unreadable here
// too, while a comma between numbers written with points still separates.
TEST(ThrustRecords, DecimalCommasAreUnreadableAsTheProgramFindsThem) {
  const ThrustFile f = read_thrust_text("0,002 1,234\n0,004 1,300\n");
  EXPECT_EQ(f.size(), 0u);
  EXPECT_EQ(f.unreadable.count, 2u);
  EXPECT_EQ(f.unreadable.first_line, 1u);
  EXPECT_EQ(f.first_hint, LineHint::decimal_comma);
  const ThrustFile points = read_thrust_text("0.002,1.234\n0.004,1.300\n1,5\n");
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points.F[1], 1.3);
  EXPECT_EQ(points.t[2], 1.0);
  EXPECT_EQ(points.F[2], 5.0);
}

TEST(ThrustRecords, NullsSlashesAndSplitRecordsKeepTheProgramsValues) {
  const ThrustFile f = read_thrust_text("0.1 5.0\n0.2 ,, \n0.3 /\n0.4\n7.0\n0.5");
  ASSERT_EQ(f.size(), 4u);
  EXPECT_EQ(f.t[1], 0.2);
  EXPECT_EQ(f.F[1], 5.0);  // the null keeps the thrust read before
  EXPECT_EQ(f.F[2], 5.0);  // so does the slash
  EXPECT_EQ(f.null_or_slash.count, 2u);
  EXPECT_EQ(f.null_or_slash.first_line, 2u);
  EXPECT_EQ(f.split.count, 1u);
  EXPECT_EQ(f.split.first_line, 5u);
  EXPECT_EQ(f.F[3], 7.0);
  EXPECT_EQ(f.incomplete.count, 1u);
  EXPECT_EQ(f.incomplete.first_line, 6u);
}

TEST(ThrustRecords, AFileReadInBlocksEqualsTheTextRead) {
  // Long enough for several blocks, with a header, blank lines, a split
  // record and a last line with no line end.
  std::string text = "tempo empuxo\n";
  for (int k = 0; k < 300000; ++k) {
    text += std::to_string(k * 0.001) + (k % 50000 == 7 ? "\n\n" : " ") + std::to_string(k % 97) + "\n";
  }
  text += "300.0 1.5";
  const std::string name = testing::TempDir() + "/thrust_records_blocks.dat";
  {
    std::FILE* out = std::fopen(name.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  const ThrustFile a = read_thrust_text(text);
  ThrustSource source;
  source.name = name;
  const ThrustFile b = read_thrust_source(source, 8);
  std::remove(name.c_str());
  ASSERT_EQ(a.size(), 300001u);
  EXPECT_EQ(a.t, b.t);
  EXPECT_TRUE(std::equal(a.thrusts().begin(), a.thrusts().end(), b.thrusts().begin()));
  EXPECT_EQ(b.lines, a.lines);
  EXPECT_EQ(b.split.count, 6u);
  EXPECT_EQ(b.unreadable.first_line, 1u);
  EXPECT_EQ(b.line_of(0), 2u);
  EXPECT_EQ(b.line_of(7), 11u);  // the split record, on lines 9 to 11
  EXPECT_EQ(b.line_of(8), 12u);
  EXPECT_EQ(b.line_of(300000), a.lines);
}

}  // namespace
