// The Windows run's command interpreter: no program is taken from the case
// folder, where anyone may have put files. The run tells cmd.exe not to
// search the working folder (NoDefaultCurrentDirectoryInExePath, which the
// cmd.exe of Windows 10 and 11 obeys) and, without COMSPEC, starts the system
// folder's cmd.exe by its path. Wine's cmd.exe ignores the setting, so these
// tests look at what reaches the children: a Notepad.bat planted in the case
// folder, which wine's cmd.exe does start, and a recording interpreter.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using Lines = std::vector<std::string>;

class Interpreter : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!e2e::windows_run()) GTEST_SKIP() << "the Windows binary's interpreter (TALVIRONESKA_E2E_EXE)";
  }

  // The recording viewer, copied into the case folder as NAME.
  static void put_recorder(const e2e::CaseDir& dir, const std::string& name) {
    std::string bytes;
    std::FILE* file = std::fopen(e2e::recorder_program().c_str(), "rb");
    ASSERT_NE(file, nullptr) << "no recording viewer at " << e2e::recorder_program() << " (build the mingw preset)";
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
    dir.write(name, bytes);
  }
};

TEST_F(Interpreter, TheChildrenAreToldNotToSearchTheWorkingFolder) {
  e2e::CaseDir dir;
  dir.write_valid_case();
  dir.write("Notepad.bat",
            "@echo off\r\n>>\"%TALVIRONESKA_E2E_LOG%\" echo planted [%NoDefaultCurrentDirectoryInExePath%] %*\r\n");
  e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_EQ(dir.launches(), (Lines{"planted [1] talvironeska_2p1_dados_geral.txt", "planted [1] caso.txt",
                                   "planted [1] ensaio7_saida_A.txt"}));

  // The interpreter itself gets the setting, with the run's command line.
  dir.remove("Notepad.bat");
  dir.clear_launches();
  put_recorder(dir, "interpretador.exe");
  const std::string interpreter = dir.full_path("interpretador.exe");
  r = dir.run_from_cmd("set COMSPEC=" + interpreter +
                       "&&set TALVIRONESKA_E2E_RECORD_VARIABLE=NoDefaultCurrentDirectoryInExePath");
  EXPECT_EQ(r.exit_status, 0) << r.err;
  const std::string seen = " [NoDefaultCurrentDirectoryInExePath=1]";
  EXPECT_EQ(dir.launches(), (Lines{interpreter + " /c Notepad talvironeska_2p1_dados_geral.txt" + seen,
                                   interpreter + " /c notepad caso.txt" + seen,
                                   interpreter + " /c Notepad ensaio7_saida_A.txt" + seen}));
}

TEST_F(Interpreter, WithoutComspecTheSystemFoldersCmdStarts) {
  e2e::CaseDir dir;
  dir.write_valid_case();
  put_recorder(dir, "cmd.exe");  // started, it would log "cmd.exe /c Notepad ..."
  const e2e::RunResult r = dir.run_from_cmd("set COMSPEC=");
  EXPECT_EQ(r.exit_status, 0) << r.err;
  // The batch fakes on the search path, started by the system's cmd.exe.
  EXPECT_EQ(dir.launches(),
            (Lines{"Notepad talvironeska_2p1_dados_geral.txt", "notepad caso.txt", "Notepad ensaio7_saida_A.txt"}));
}

}  // namespace
