// The editor opened on each input file before the run reads it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

using namespace std::chrono_literals;

TEST(InputEditing, MissingGeneralDataFileIsCreatedEmptyAndEndsTheRun) {
  e2e::CaseDir dir;
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "talvironeska: severe (24): end-of-file during read, unit 5, file " +
                       dir.full_path(e2e::kGeneralDataFile) + "\n");
  EXPECT_EQ(dir.read(e2e::kGeneralDataFile), "");
  EXPECT_EQ(dir.launches(), std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt"});
}

TEST(InputEditing, TheRunReadsWhatTheEditorSaved) {
  // Nothing but the thrust data is on disk at the start: the user writes both
  // input files in the editor, which takes a while to close.
  e2e::CaseDir dir;
  const e2e::CaseSpec spec;
  dir.write(spec.thrust_file, spec.thrust_data);
  dir.write_on_launch("Notepad", e2e::kGeneralDataFile, e2e::kGeneralDataFile, spec.general_data, 400ms);
  dir.write_on_launch("notepad", "caso.txt", "caso.txt", e2e::case_params_text(spec), 400ms);
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt",
                                                      "notepad caso.txt", "Notepad ensaio7_saida_A.txt"}));
}

TEST(InputEditing, AFailingEditorDoesNotStopTheRun) {
  e2e::CaseDir dir;
  dir.write_valid_case();
  dir.on_launch("Notepad", e2e::kGeneralDataFile, "echo 'cannot open' >&2; exit 1");
  dir.on_launch("notepad", "caso.txt", "exit 9");
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.err, "cannot open\n");  // the editor's own complaint, nothing of the run's
  EXPECT_EQ(dir.launches().size(), 3u);
}

TEST(InputEditing, ParameterFileNameIsTrimmed) {
  e2e::CaseDir dir;
  e2e::CaseSpec spec;
  spec.general_data = "'  ensaio7.txt  '   nome do arquivo de parametros\r\n";
  spec.parameter_file = "ensaio7.txt";
  dir.write_valid_case(spec);
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt",
                                                      "notepad ensaio7.txt", "Notepad ensaio7_saida_A.txt"}));
}

TEST(InputEditing, MissingCaseParameterFileIsOpenedInTheEditorFirst) {
  e2e::CaseDir dir;
  dir.write(e2e::kGeneralDataFile, "novo.txt\n");
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.err, "talvironeska: severe (24): end-of-file during read, unit 6, file " + dir.full_path("novo.txt") +
                       "\n");
  EXPECT_EQ(dir.read("novo.txt"), "");
  EXPECT_EQ(dir.launches(),
            (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", "notepad novo.txt"}));
}

}  // namespace
