#include "inspect/import/temp_files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "io/os_file.h"

#include "../../support/temp_dir.h"

namespace {

using TempFilesTest = TempDirTest;

// An import stopped by a signal while it writes leaves none of its
// temporary files, and still dies of that signal.
TEST_F(TempFilesTest, ASignalRemovesTheTemporaryFiles) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    const std::filesystem::path files[] = {"a.importar-tmp", "b.importar-tmp"};
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (const auto& f : files) {
        OsHandle handle;
        if (os_create_new(f.string(), &handle)) os_close(handle);
      }
      remove_on_interrupt(files);
      raise(signal_number);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << signal_number;
    for (const auto& f : files) EXPECT_FALSE(std::filesystem::exists(f)) << signal_number;
  }
}

TEST_F(TempFilesTest, ANameAlreadyThereIsNeverOpened) {
  write_file("alvo", "intacto");
  std::filesystem::create_symlink(path_of("alvo"), "elo");
  std::filesystem::create_symlink(path_of("nada"), "elo-solto");
  OsHandle handle;
  for (const char* name : {"alvo", "elo", "elo-solto"}) EXPECT_FALSE(os_create_new(name, &handle)) << name;
  EXPECT_EQ(read_file("alvo"), "intacto");
  EXPECT_FALSE(std::filesystem::exists("nada"));
}

}  // namespace
