#include "inspect/json/output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../../support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

using JsonOutputFileTest = TempDirTest;

TEST_F(JsonOutputFileTest, TheDocumentReplacesAnOldOneButNeverAKeptFile) {
  write_file("log.dat", "0 0\n");
  write_file("saida.json", "old");
  fs::create_hard_link("log.dat", "ligado.json");
  JsonRun run{"check", "saida.json", {fs::absolute("log.dat")}};
  std::string problem;
  ASSERT_TRUE(write_json_document(run, "{}\n", &problem)) << problem;
  EXPECT_EQ(read_file("saida.json"), "{}\n");

  for (const char* target : {"log.dat", "./log.dat", "ligado.json"}) {
    run.target = target;
    EXPECT_FALSE(json_target_problem(run).empty()) << target;
    EXPECT_FALSE(write_json_document(run, "{}\n", &problem)) << target;
    EXPECT_EQ(read_file("log.dat"), "0 0\n") << target;
  }
  run.target = "";
  EXPECT_TRUE(write_json_document(run, "{}\n", &problem));  // none asked for
}

}  // namespace
