#include "inspect/log/reading.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <iterator>

#include "../../support/temp_dir.h"

namespace {

using LogReadingTest = TempDirTest;

LogLayout layout_for(TimeUnit time, ThrustUnit thrust) {
  LogLayout o;
  o.time_unit = time;
  o.thrust_unit = thrust;
  return o;
}

TEST_F(LogReadingTest, ConvertsCountsFromTheFirstRecordAndFoldsRepeatedStamps) {
  write_file("log.csv", "time_ms,weight_g\r\n1000,100\r\n1012,200\r\n1012,400\r\n\r\n1025,1000\r\n");
  LogRead log;
  std::string problem;
  ASSERT_TRUE(read_log("log.csv", LogLayout{}, &log, &problem)) << problem;
  ASSERT_EQ(log.records.size(), 3u);
  EXPECT_EQ(log.records.t[0], 0.0);
  EXPECT_EQ(log.records.t[1], 0.012);
  EXPECT_EQ(log.records.t[2], 0.025);
  EXPECT_DOUBLE_EQ(log.records.F[0], 0.980665);
  EXPECT_DOUBLE_EQ(log.records.F[1], 300.0 * 9.80665e-3);  // the two at 1012 ms, averaged
  EXPECT_EQ(log.widest_gap.line_before, 3u);               // from 1012 ms to 1025 ms, the records of lines 3 and 6
  EXPECT_EQ(log.widest_gap.line_after, 6u);
  EXPECT_EQ(log.repeated, 1u);
  EXPECT_EQ(log.lines, 6u);
}

TEST_F(LogReadingTest, AByteOrderMarkIsNotPartOfTheFirstLine) {
  write_file("log.csv",
             "\xEF\xBB\xBF"
             "0;1,5\r\n0,5;2,5\r\n");
  LogRead log;
  std::string problem;
  ASSERT_TRUE(read_log("log.csv", layout_for(TimeUnit::s, ThrustUnit::N), &log, &problem)) << problem;
  ASSERT_EQ(log.records.size(), 2u);
  EXPECT_EQ(log.records.F[0], 1.5);
  EXPECT_EQ(log.records.t[1], 0.5);
}

TEST_F(LogReadingTest, RawChannelAtARate) {
  write_file("daq.txt", "8000\n8010\n7990\n");
  LogLayout o;
  o.rate = 4.0;
  o.factor = 0.5;
  o.offset = 8000.0;
  LogRead log;
  std::string problem;
  ASSERT_TRUE(read_log("daq.txt", o, &log, &problem)) << problem;
  ASSERT_EQ(log.records.size(), 3u);
  EXPECT_EQ(log.records.t[2], 0.5);
  EXPECT_EQ(log.records.F[1], 5.0);
  EXPECT_EQ(log.records.F[2], -5.0);
}

TEST_F(LogReadingTest, ABadLineNamesItsNumberTextAndWhatWasExpected) {
  const struct {
    const char* text;
    const char* problem;
  } cases[] = {
      {"0;1,5\n1;2,5\n2;x\n", "linha 3: \"2;x\"; esperado: 2 campos separados por ponto e v\xC3\xADrgula"},
      {"0 1.5\n1 2.5 3\n", "linha 2: \"1 2.5 3\"; esperado: 2 campos separados por brancos"},
      {"0 1.5\n0.2 2.5\n0.1 2\n", "linha 3: \"0.1 2\"; esperado: um tempo depois do da linha 2 (0.2 s)"},
      {"0,5\n1,5,5\n", "linha 2: \"1,5,5\"; esperado: 2 campos separados por v\xC3\xADrgula"},
  };
  for (const auto& c : cases) {
    write_file("log.txt", c.text);
    LogRead log;
    std::string problem;
    EXPECT_FALSE(read_log("log.txt", layout_for(TimeUnit::s, ThrustUnit::N), &log, &problem)) << c.text;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }
}

// Lines of two numbers are read to the doubles nearest their text, in
// every form a logger writes them: long, short, signed, with exponents or
// more digits than a double holds.
TEST_F(LogReadingTest, NumbersReadToTheNearestDouble) {
  // clang-format off
  const char* const numbers[] = {"0.000001", "-3.14159", "+2.5", "1.250000E+01", "7", ".5", "5.", "-0", "1e-300",
                                 "2.2250738585072011e-308", "123456789012345678901234.5", "0.30000000000000000001",
                                 "9007199254740993", "1E22", "4.9e-324", "-1.7976931348623157e308", "0.1e0005"};
  // clang-format on
  for (const char* separator : {" ", "\t ", ", ", " , "}) {
    SCOPED_TRACE(separator);
    std::string text;
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
      text += " " + std::to_string(i) + separator + numbers[i] + (i % 2 == 0 ? " \r\n" : "\n");
    }
    write_file("log.txt", text);
    LogRead log;
    std::string problem;
    ASSERT_TRUE(read_log("log.txt", layout_for(TimeUnit::s, ThrustUnit::N), &log, &problem)) << problem;
    ASSERT_EQ(log.records.size(), std::size(numbers));
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
      const std::string number = numbers[i][0] == '+' ? numbers[i] + 1 : numbers[i];
      double expected = 0.0;
      std::from_chars(number.data(), number.data() + number.size(), expected);
      EXPECT_EQ(log.records.t[i], static_cast<double>(i));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(log.records.F[i]), std::bit_cast<std::uint64_t>(expected)) << number;
    }
  }
}

// A line that looks like two numbers but is not two of the file's fields
// is refused, after twenty lines that set the file's separator.
TEST_F(LogReadingTest, OnlyTheFilesOwnSeparatorSeparates) {
  const struct {
    const char* separator;  // of the first lines
    const char* line;
    bool read;
  } cases[] = {
      {" ", "21 ,2", false}, {" ", "21, 2", false},    {" ", "21\t\t2", true},  {" ", "21 2 3", false},
      {" ", "21 2x", false}, {" ", "21 2e", false},    {",", "21 2", false},    {",", "21 , 2", true},
      {",", "21,2,", true},  {",", "21,,2", false},    {",", "21,\"2\"", true}, {";", "21;2", true},
      {";", "21 2", false},  {" ", "21 2.5.1", false},
  };
  for (const auto& c : cases) {
    std::string text;
    for (int k = 0; k < 21; ++k) text += std::to_string(k) + c.separator + "1.5\n";
    text += c.line + std::string("\n");
    write_file("log.txt", text);
    LogRead log;
    std::string problem;
    EXPECT_EQ(read_log("log.txt", layout_for(TimeUnit::s, ThrustUnit::N), &log, &problem), c.read) << c.line;
    if (c.read) {
      EXPECT_EQ(log.records.size(), 22u) << c.line;
      EXPECT_EQ(log.records.F.back(), 2.0) << c.line;
    } else {
      EXPECT_NE(problem.find("linha 22"), std::string::npos) << c.line << ": " << problem;
    }
  }
}

TEST_F(LogReadingTest, LinesLongerThanABlockAndNoLastLineEnd) {
  std::string text;
  for (int k = 0; k < 120000; ++k) text += std::to_string(k) + " " + std::to_string(k % 7) + ".25\n";
  text.pop_back();
  write_file("long.txt", text);
  LogRead log;
  std::string problem;
  ASSERT_TRUE(read_log("long.txt", layout_for(TimeUnit::ms, ThrustUnit::N), &log, &problem)) << problem;
  ASSERT_EQ(log.records.size(), 120000u);
  EXPECT_EQ(log.records.t.back(), 119.999);
  EXPECT_EQ(log.records.F.back(), 119999 % 7 + 0.25);
}

// Files that are read wrongly unless told apart: CR alone as the line end
// is read; UTF-16, a unit header naming two units and an endless line are
// refused with what they are.
TEST_F(LogReadingTest, LineEndsEncodingsAndHeadersThatMisleadTheReading) {
  const struct {
    std::string text;
    const char* problem;  // empty: read, three records
    // clang-format off
  } cases[] = {
      {"time_ms,thrust_N\r0,1\r10,2\r20,0\r", ""},
      {"0 1\r0.01 2\r0.02 0", ""},
      {std::string("\xFF\xFE" "t\0,\0F\0\n\0", 10) + std::string("0\0,\0" "1\0\n\0", 8), "UTF-16"},
      {std::string("0,1\n1,\0\0\n", 9), "UTF-16"},
      {"time_s_not_ms,thrust_N\n0,1\n1,2\n", "nomeia duas unidades, s e ms"},
      {"time_s,F_N_g\n0,1\n1,2\n", "nomeia duas unidades, N e g"},
      {"t_s,F_N\n0,1\n" + std::string(5 << 20, '7') + "\n", "linha 3: passa de 4 MiB sem fim de linha"},
  };
  // clang-format on
  for (const auto& c : cases) {
    write_file("log.txt", c.text);
    LogRead log;
    std::string problem;
    LogLayout layout;
    if (c.text[0] == '0') layout = layout_for(TimeUnit::s, ThrustUnit::N);
    const bool read = read_log("log.txt", layout, &log, &problem);
    if (*c.problem == '\0') {
      EXPECT_TRUE(read) << problem;
      EXPECT_EQ(log.records.size(), 3u) << c.text;
      EXPECT_TRUE(log.dialect.cr_only) << c.text;
    } else {
      EXPECT_FALSE(read) << c.text.substr(0, 40);
      EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
  }
}

}  // namespace
