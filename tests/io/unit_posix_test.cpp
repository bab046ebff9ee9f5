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

TEST_F(UnitPosixTest, SameFileUnderAnyNameOrLink) {
  write_file("dados.txt", "x");
  write_file("outro.txt", "x");
  ASSERT_EQ(link("dados.txt", "duro.txt"), 0);
  ASSERT_EQ(symlink("dados.txt", "elo.txt"), 0);
  ASSERT_EQ(symlink("novo.txt", "pendente.txt"), 0);  // to a file not made yet
  ASSERT_EQ(symlink(".", "aqui"), 0);
  const struct {
    const char* name;
    const char* other;
    bool same;
  } cases[] = {
      {"dados.txt", "duro.txt", true},   {"elo.txt", "dados.txt", true},     {"aqui/dados.txt", "./dados.txt", true},
      {"dados.txt", "outro.txt", false}, {"pendente.txt", "novo.txt", true}, {"aqui/novo.txt", "novo.txt", true},
      {"novo.txt", "NOVO.TXT", false},   {"novo.txt", "pendente.txt", true}, {"novo.txt", "dados.txt", false},
  };
  for (const auto& c : cases) EXPECT_EQ(os_same_file(c.name, c.other), c.same) << c.name << " " << c.other;
  EXPECT_NE(access("novo.txt", F_OK), 0);
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
