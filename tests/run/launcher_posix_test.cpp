#include "run/launcher.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class LaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/talvironeska-launch-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string file(const char* name) const { return dir_ + "/" + name; }

  static bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
  }

  static std::string read(const std::string& path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
      char buffer[4096];
      std::size_t got;
      while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
      std::fclose(f);
    }
    return bytes;
  }

  std::string dir_;
};

TEST_F(LaunchTest, TrailingBlanksAreNotPartOfTheCommand) {
  // A final backslash is kept by the shell only when nothing follows it.
  const std::string out = file("out");
  EXPECT_EQ(launch("exec >" + out + "; printf '[%s]' a\\   "), 0);
  EXPECT_EQ(read(out), "[a\\]");
}

TEST_F(LaunchTest, InnerBlanksAndQuotesReachTheShellUnchanged) {
  const std::string out = file("out");
  EXPECT_EQ(launch("printf '%s|' 'a  b' \"c'd\" e\\ \\ f  g > " + out), 0);
  EXPECT_EQ(read(out), "a  b|c'd|e  f|g|");
}

// The real shell reads a command word back as the name, whatever its bytes:
// every byte but NUL between two letters, and names made of shell syntax.
TEST_F(LaunchTest, CommandWordReachesTheProgramAsTheName) {
  std::vector<std::string> names = {
      "x;touch P;y", "$(touch P)`touch P`", "d'agua", "''",  "a\\", "<x", ">x", "-n", "~", "~/x", "*", "#x", "a  b",
      "  a ",        "'\"'\"\\$HOME",       "x &",    "a\nb"};
  for (int byte = 1; byte < 256; ++byte) {
    if (byte != ' ') names.push_back(std::string("x") + static_cast<char>(byte) + "y");
  }
  // As many words to one printf as the launcher's 1024 characters hold.
  const std::string out = file("out");
  const std::string start = "printf '[%s]'";
  std::string command = start;
  std::string expected;
  for (std::size_t i = 0; i <= names.size(); ++i) {
    std::string word;
    if (i < names.size()) word.append(" ").append(command_word(names[i]));
    if (i == names.size() || command.size() + word.size() + 3 + out.size() > 1024) {
      ASSERT_EQ(launch(command + " > " + out), 0) << command;
      EXPECT_EQ(read(out), expected) << command;
      command = start;
      expected.clear();
    }
    command += word;
    if (i < names.size()) expected.append("[").append(names[i]).append("]");
  }
  EXPECT_FALSE(exists("P"));
  // A plain name with single blanks stays as it is: several words.
  ASSERT_EQ(launch("printf '[%s]' " + command_word("teste 1_saida_A.txt") + " > " + out), 0);
  EXPECT_EQ(read(out), "[teste][1_saida_A.txt]");
}

TEST_F(LaunchTest, CommandsUpTo1024CharactersRun) {
  static const struct {
    std::size_t length;  // before the trailing blanks
    std::size_t trailing_blanks;
    bool runs;
  } cases[] = {{1024, 0, true}, {1024, 30, true}, {1025, 0, false}, {4000, 0, false}};
  for (const auto& c : cases) {
    const std::string out = file("ran");
    std::string command = "echo x > " + out + " #";
    command.append(c.length - command.size(), 'y');
    command.append(c.trailing_blanks, ' ');
    errno = 0;
    const int result = launch(command);
    if (c.runs) {
      EXPECT_EQ(result, 0) << c.length;
      EXPECT_TRUE(exists(out)) << c.length;
    } else {
      EXPECT_EQ(result, -1) << c.length;
      EXPECT_EQ(errno, E2BIG) << c.length;
      EXPECT_FALSE(exists(out)) << c.length;
    }
    std::remove(out.c_str());
  }
}

TEST_F(LaunchTest, ReturnsTheShellsStatus) {
  static const struct {
    const char* command;
    int status;
  } cases[] = {
      {"true", 0},
      {"exit 3", 3},
      {"talvironeska-no-such-program 2>/dev/null", 127},  // the shell's status, not a failed start
      {"kill -KILL $$", 128 + SIGKILL},
      {"kill -TERM $$", 128 + SIGTERM},
      {"", 0},
      {"     ", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(launch(c.command), c.status) << c.command;
}

TEST_F(LaunchTest, ReturnsOnlyWhenTheCommandHasFinished) {
  const std::string out = file("late");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(launch("sleep 0.3; echo done > " + out), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_EQ(read(out), "done\n");
}

TEST_F(LaunchTest, CommandSharesEnvironmentAndDirectory) {
  const std::string out = file("env");
  ASSERT_EQ(setenv("TALVIRONESKA_LAUNCH_TEST", "valor 1", 1), 0);
  EXPECT_EQ(launch("printf '%s|%s' \"$TALVIRONESKA_LAUNCH_TEST\" \"$(pwd)\" > " + out), 0);
  unsetenv("TALVIRONESKA_LAUNCH_TEST");
  EXPECT_EQ(read(out), "valor 1|" + std::filesystem::current_path().string());
}

TEST_F(LaunchTest, InterruptGoesToTheCommandNotTheRun) {
  // The run survives an interrupt sent to it while it waits; the command
  // itself still dies of one; afterwards the run's handling is as before.
  struct sigaction before;
  ASSERT_EQ(sigaction(SIGINT, nullptr, &before), 0);
  ASSERT_NE(before.sa_handler, SIG_IGN);
  EXPECT_EQ(launch("kill -INT $PPID; kill -QUIT $PPID; exit 5"), 5);
  EXPECT_EQ(launch("kill -INT $$; exit 5"), 128 + SIGINT);
  struct sigaction after;
  ASSERT_EQ(sigaction(SIGINT, nullptr, &after), 0);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
