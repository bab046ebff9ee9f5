// The editor opened on each input file before the run reads it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

TEST(InputEditing, TheEditorIsStartedOnAMissingFileBeforeItIsRead) {
  // The file is still missing when the editor returns: the read creates it
  // empty and ends the run at its unit (the error lines are checked with the
  // other input errors).
  e2e::CaseDir dir;
  EXPECT_EQ(dir.run().exit_status, 1);
  EXPECT_EQ(dir.launches(), std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt"});
  dir.write(e2e::kGeneralDataFile, "novo.txt\n");
  dir.clear_launches();
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad novo.txt"}));
  EXPECT_NE(r.err.find("unit 6, file " + dir.full_path("novo.txt")), std::string::npos) << r.err;
  EXPECT_EQ(dir.read("novo.txt"), "");
}

TEST(InputEditing, TheRunReadsWhatTheEditorSaved) {
  // Nothing but the thrust data is on disk at the start: the user writes both
  // input files in the editor, which takes a while to close.
  e2e::CaseDir dir;
  const e2e::CaseFiles files;
  dir.write(files.thrust_file, files.thrust_data);
  dir.write_on_launch("Notepad", e2e::kGeneralDataFile, e2e::kGeneralDataFile, files.general_data, 400ms);
  dir.write_on_launch("notepad", "caso.txt", "caso.txt", e2e::case_params_text(files), 400ms);
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad caso.txt",
                                                      "Notepad ensaio7_saida_A.txt"}));
  EXPECT_TRUE(dir.exists("ensaio7_saida_A.txt"));
}

TEST(InputEditing, AFailingEditorDoesNotStopTheRun) {
  e2e::CaseDir dir;
  dir.write_valid_case();
  dir.on_launch("Notepad", e2e::kGeneralDataFile, "echo 'cannot open' >&2; exit 1", "echo cannot open>&2\nexit /b 1");
  dir.on_launch("notepad", "caso.txt", "exit 9", "exit /b 9");
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "cannot open\n");  // the editor's own complaint, nothing of the run's
  EXPECT_EQ(dir.launches().size(), 3u);
}

TEST(InputEditing, ParameterFileNameIsTrimmed) {
  e2e::CaseDir dir;
  e2e::CaseFiles files;
  files.general_data = "'  ensaio7.txt  '   nome do arquivo de parametros\r\n";
  files.parameter_file = "ensaio7.txt";
  dir.write_valid_case(files);
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad ensaio7.txt",
                                                      "Notepad ensaio7_saida_A.txt"}));
}

}  // namespace
