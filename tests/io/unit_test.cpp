#include "io/unit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/severe_error.h"

#include "../support/temp_dir.h"

namespace {

int open_error(const std::string& name, OpenMode mode) {
  try {
    Unit unit(8, name, mode);
  } catch (const SevereError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace

using UnitTest = TempDirTest;

TEST_F(UnitTest, MissingFileIsCreatedEmptyAndExistingOneIsNotTruncated) {
  {
    Unit unit(5, "novo.txt", OpenMode::read);
    std::string_view line;
    EXPECT_FALSE(unit.next_line(&line));
    unit.close();
  }
  EXPECT_TRUE(exists("novo.txt"));
  write_file("old.txt", "keep me\n");
  { Unit unit(10, "old.txt", OpenMode::write); }  // opened and abandoned: untouched
  EXPECT_EQ(read_file("old.txt"), "keep me\n");
}

TEST_F(UnitTest, LinesEndAtLfWithOrWithoutCr) {
  write_file("in.txt", "a\r\nb\n\nc\r\rd\r");
  {
    Unit unit(5, "in.txt", OpenMode::read);
    std::string got;
    std::string_view line;
    while (unit.next_line(&line)) {
      got += '[';
      got += line;
      got += ']';
    }
    EXPECT_EQ(got, "[a][b][][c\r\rd\r]");
  }
  Unit unit(5, "in.txt", OpenMode::read);
  std::string got;
  bool had_lf = false;
  while (unit.pass_line(&had_lf)) got += had_lf ? "LF " : "noLF";
  EXPECT_EQ(got, "LF LF LF noLF");
}

TEST_F(UnitTest, LineLongerThanTheBufferIsWhole) {
  const std::string big(3 << 20, 'x');
  write_file("big.txt", big + "\nend");
  Unit unit(8, "big.txt", OpenMode::read);
  std::string_view line;
  ASSERT_TRUE(unit.next_line(&line));
  EXPECT_EQ(line.size(), big.size());
  EXPECT_EQ(unit.cut(), LineCut::none);
  ASSERT_TRUE(unit.next_line(&line));
  EXPECT_EQ(line, "end");
}

// A line past kMaxLine comes in pieces of at most kMaxLine bytes, cut after
// a separator where there is one; the pieces make up the line, and the next
// line (or the plot script's writing) starts after all of it.
TEST_F(UnitTest, LinesPastTheCapComeInPieces) {
  const std::string blanks(kMaxLine + 100, ' ');
  const std::string word(2 * kMaxLine + 7, '\0');
  const struct {
    std::string line;
    std::vector<LineCut> cuts;  // of each piece
  } cases[] = {
      {blanks + "7 8", {LineCut::after_separator, LineCut::none}},
      {"1 2 " + word, {LineCut::after_separator, LineCut::inside_value, LineCut::inside_value, LineCut::none}},
      {word + ",5\r", {LineCut::inside_value, LineCut::inside_value, LineCut::none}},
  };
  for (const auto& c : cases) {
    for (const char* end : {"\nnext\n", ""}) {
      write_file("long.dat", c.line + end);
      Unit unit(8, "long.dat", OpenMode::read);
      std::string_view piece;
      ASSERT_TRUE(unit.next_line(&piece));
      std::string whole;
      std::vector<LineCut> cuts;
      do {
        EXPECT_LE(piece.size(), kMaxLine);
        whole += piece;
        cuts.push_back(unit.cut());
      } while (unit.next_piece(&piece));
      const bool lf = *end != '\0';
      std::string expected = c.line;
      if (lf && expected.back() == '\r') expected.pop_back();
      EXPECT_EQ(whole, expected);
      EXPECT_EQ(cuts, c.cuts);
      if (lf) {
        ASSERT_TRUE(unit.next_line(&piece));
        EXPECT_EQ(piece, "next");
      }
      EXPECT_FALSE(unit.next_line(&piece));
    }
    write_file("plot.gnu", "1\n" + c.line + "\nold\n");
    Unit unit(18, "plot.gnu", OpenMode::read_write);
    std::string_view piece;
    ASSERT_TRUE(unit.next_line(&piece));
    ASSERT_TRUE(unit.next_line(&piece));  // its first piece only
    unit.write("new\r\n");
    unit.close();
    EXPECT_EQ(read_file("plot.gnu"), "1\n" + c.line + "\nnew\r\n");
  }
}

TEST_F(UnitTest, HeldLinesStopBeforeALineItCannotHoldAndGoOnAfterIt) {
  write_file("long.dat", "1 2\n" + std::string(kMaxLine + 1, 'x') + "\n3 4\n");
  Unit unit(8, "long.dat", OpenMode::read);
  EXPECT_EQ(unit.held_lines(), "1 2\n");
  unit.skip(4);
  EXPECT_EQ(unit.held_lines(), "");
  std::string_view piece;
  ASSERT_TRUE(unit.next_line(&piece));
  EXPECT_EQ(unit.cut(), LineCut::inside_value);
  EXPECT_EQ(unit.held_lines(), "3 4\n");
}

TEST_F(UnitTest, WritingCutsAnOlderLongerFile) {
  write_file("out.txt", std::string(5000, 'z'));
  Unit unit(20, "out.txt", OpenMode::write);
  unit.write("new\r\n");
  unit.close();
  EXPECT_EQ(read_file("out.txt"), "new\r\n");
}

// Seen from outside while the unit is still open, as after a kill: the old
// bytes are gone as soon as this run has anything to write.
TEST_F(UnitTest, TheOldTailIsCutBeforeTheFirstByteIsWritten) {
  const std::string old_lines(100000, 'z');
  const struct {
    OpenMode mode;
    int lines_read;
    std::string kept;
  } cases[] = {{OpenMode::write, 0, ""}, {OpenMode::read_write, 2, "1\n2\n"}};
  for (const auto& c : cases) {
    write_file("out.txt", "1\n2\n" + old_lines);
    Unit unit(20, "out.txt", c.mode);
    std::string_view line;
    for (int i = 0; i < c.lines_read; ++i) ASSERT_TRUE(unit.next_line(&line));
    unit.write("new\r\n");  // still in the unit's buffer
    EXPECT_EQ(read_file("out.txt"), c.kept);
    unit.write(std::string(Unit::kMaxReserve, 'n'));  // written through
    EXPECT_EQ(read_file("out.txt"), c.kept + "new\r\n" + std::string(Unit::kMaxReserve, 'n'));
    unit.close();
  }
}

TEST_F(UnitTest, WritingAfterReadingStartsAfterTheLastLineRead) {
  write_file("plot.gnu", "1\n2\r\n3\nold 4\nold 5\n");
  Unit unit(18, "plot.gnu", OpenMode::read_write);
  std::string_view line;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(unit.next_line(&line));
  unit.write("new\r\n");
  unit.close();
  EXPECT_EQ(read_file("plot.gnu"), "1\n2\r\n3\nnew\r\n");
}

TEST_F(UnitTest, LargeAndSmallWritesStayInOrder) {
  write_file("plot.gnu", "1\n2\n" + std::string(5 << 20, 'z'));
  Unit unit(18, "plot.gnu", OpenMode::read_write);
  std::string_view line;
  ASSERT_TRUE(unit.next_line(&line));
  const std::string big(3 << 20, 'b');
  unit.write("<");
  unit.write(big);
  unit.write(">");
  unit.write(big);
  unit.close();
  EXPECT_EQ(read_file("plot.gnu"), "1\n<" + big + ">" + big);
}

TEST_F(UnitTest, OpenFailuresHaveTheirNumbers) {
  ASSERT_TRUE(std::filesystem::create_directory("adir"));
  EXPECT_EQ(open_error("", OpenMode::read), kErrFileName);
  EXPECT_EQ(open_error(std::string("a\0b", 3), OpenMode::read), kErrFileName);
  EXPECT_EQ(open_error("nodir/x.txt", OpenMode::read), kErrFileName);
  EXPECT_EQ(open_error(std::string(5000, 'n'), OpenMode::read), kErrFileName);
  EXPECT_EQ(open_error("adir", OpenMode::read), kErrOpenFailure);
  EXPECT_EQ(open_error("adir", OpenMode::write), kErrOpenFailure);
  EXPECT_FALSE(exists("nodir"));
  EXPECT_EQ(open_error("missing.txt", OpenMode::read_existing), kErrFileNotFound);
  EXPECT_FALSE(exists("missing.txt"));
}
