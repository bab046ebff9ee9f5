// Unit behaviour that only POSIX systems show in this form: permission bits
// and '/' paths.
#include "io/unit.h"

#include <sys/stat.h>
#include <unistd.h>

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

using UnitPosixTest = TempDirTest;

TEST_F(UnitPosixTest, ReadOnlyFileOpensOnlyForReading) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
  write_file("ro.txt", "x\n");
  chmod("ro.txt", 0444);
  EXPECT_EQ(open_error("ro.txt", OpenMode::read), 0);
  EXPECT_EQ(open_error("ro.txt", OpenMode::write), kErrPermission);
}

TEST_F(UnitPosixTest, ErrorTextNamesUnitAndFullPath) {
  try {
    Unit unit(6, "nodir/caso.txt", OpenMode::read);
    FAIL();
  } catch (const SevereError& e) {
    EXPECT_EQ(severe_error_line(e), "talvironeska: severe (43): file name specification error, unit 6, file " +
                                        path_of("nodir/caso.txt") + "\n");
  }
  EXPECT_EQ(file_error_text(24, 8, "/abs/d.dat"), "end-of-file during read, unit 8, file /abs/d.dat");
}
