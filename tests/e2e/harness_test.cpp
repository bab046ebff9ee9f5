// The harness itself: the fakes log and act, statuses and streams come back,
// and a hang ends at the time-out.
#include "harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(Harness, FakesLogTheirArgumentsAndAct) {
  e2e::CaseDir dir;
  const std::string bytes("'a b'\r\n\0\xE9", 9);
  dir.write_on_launch("notepad", "caso.txt", "caso.txt", bytes, 0ms);
  dir.on_launch("Notepad", "teste 1_saida_A.txt", "echo \"[$2]\"; exit 3");
  const e2e::RunResult r = dir.run_program(
      {"/bin/sh", "-c", "notepad caso.txt; notepad outro.txt; Wgnuplot x.gnu; Notepad teste 1_saida_A.txt"});
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_status, 3);
  EXPECT_EQ(r.out, "[1_saida_A.txt]\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(dir.read("caso.txt"), bytes);
  EXPECT_FALSE(dir.exists("outro.txt"));
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"notepad caso.txt", "notepad outro.txt", "Wgnuplot x.gnu",
                                                      "Notepad teste 1_saida_A.txt"}));
}

TEST(Harness, RunsInTheCaseDirectoryWithTheFakesFirstOnPath) {
  e2e::CaseDir dir;
  const e2e::RunResult r = dir.run_program({"/bin/sh", "-c", "pwd; command -v Wgnuplot; echo oops >&2; exit 4"});
  EXPECT_EQ(r.exit_status, 4);
  EXPECT_EQ(r.out, dir.path() + "\n" + dir.root() + "/bin/Wgnuplot\n");
  EXPECT_EQ(r.err, "oops\n");
  EXPECT_TRUE(dir.launches().empty());
}

TEST(Harness, AHangEndsAtTheTimeOut) {
  e2e::CaseDir dir;
  const auto start = std::chrono::steady_clock::now();
  const e2e::RunResult r = dir.run_program({"/bin/sh", "-c", "sleep 30; sleep 30"}, 300ms);
  EXPECT_TRUE(r.timed_out);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

}  // namespace
