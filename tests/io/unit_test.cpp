#include "io/unit.h"

#include <gtest/gtest.h>

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
  Unit unit(5, "in.txt", OpenMode::read);
  std::string got;
  std::string_view line;
  bool had_lf = false;
  while (unit.next_line(&line, &had_lf)) {
    got += '[';
    got += line;
    got += had_lf ? "]" : "]noLF";
  }
  EXPECT_EQ(got, "[a][b][][c\r\rd\r]noLF");
}

TEST_F(UnitTest, LineLongerThanTheBufferIsWhole) {
  const std::string big(3 << 20, 'x');
  write_file("big.txt", big + "\nend");
  Unit unit(8, "big.txt", OpenMode::read);
  std::string_view line;
  ASSERT_TRUE(unit.next_line(&line));
  EXPECT_EQ(line.size(), big.size());
  ASSERT_TRUE(unit.next_line(&line));
  EXPECT_EQ(line, "end");
}

TEST_F(UnitTest, WritingCutsAnOlderLongerFile) {
  write_file("out.txt", std::string(5000, 'z'));
  Unit unit(20, "out.txt", OpenMode::write);
  unit.write("new\r\n");
  unit.close();
  EXPECT_EQ(read_file("out.txt"), "new\r\n");
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
}
