#include "inspect/import/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ImportOptions, RefusesWhatCannotBeRight) {
  const struct {
    std::vector<std::string> args;
    const char* problem;
  } cases[] = {
      {{"--massa", "1", "--saida", "d"}, "falta o arquivo de registro"},
      {{"l", "--saida", "d"}, "falta --massa KG"},
      {{"l", "--massa", "1"}, "falta --saida DIR"},
      {{"l", "--massa", "0", "--saida", "d"}, "--massa pede"},
      {{"l", "--massa", "-1", "--saida", "d"}, "--massa pede"},
      {{"l", "--massa", "1kg", "--saida", "d"}, "--massa pede"},
      {{"l", "--massa", "1", "--massa", "1", "--saida", "d"}, "--massa aparece duas vezes"},
      {{"l", "--massa", "1", "--saida"}, "falta o valor de --saida"},
      {{"l", "--massa", "1", "--saida", "d", "--tempo", "min"}, "--tempo pede s, ms, us ou epoch"},
      {{"l", "--massa", "1", "--saida", "d", "--empuxo", "kN"}, "--empuxo pede"},
      {{"l", "--massa", "1", "--saida", "d", "--taxa", "0"}, "--taxa pede"},
      {{"l", "--massa", "1", "--saida", "d", "--coluna", "0"}, "--coluna pede"},
      {{"l", "--massa", "1", "--saida", "d", "--tara", "zero"}, "--tara pede auto, nenhuma ou um valor"},
      {{"l", "--massa", "1", "--saida", "d", "--fator", "0"}, "--fator pede"},
      {{"l", "--massa", "1", "--saida", "d", "--taxa", "100", "--tempo", "s"}, "--taxa é para arquivos sem"},
      {{"l", "--massa", "1", "--saida", "d", "--deriva", "--tara", "nenhuma"}, "--deriva corrige"},
      {{"l", "--massa", "1", "--saida", "d", "--deslocamento", "5"}, "--deslocamento só vale com --fator"},
      {{"l", "m", "--massa", "1", "--saida", "d"}, "um só arquivo"},
      {{"l", "--massa", "1", "--saida", "d", "--rate", "5"}, "opção desconhecida --rate"},
  };
  for (const auto& c : cases) {
    ImportOptions o;
    std::string problem;
    EXPECT_EQ(read_command_line(kImportCommandLine, c.args, &o, &problem), CommandLine::refused) << c.problem;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }
}

TEST(ImportOptions, WordsWithAMeaningOfTheirOwn) {
  const std::vector<std::string> args = {"l",    "--massa",  "1",   "--saida", "d", "--tempo",        "ms", "--tara",
                                         "-0.5", "--empuxo", "kgf", "--fator", "2", "--deslocamento", "-3"};
  ImportOptions o;
  std::string problem;
  ASSERT_EQ(read_command_line(kImportCommandLine, args, &o, &problem), CommandLine::run) << problem;
  EXPECT_EQ(o.time_unit, TimeUnit::ms);
  EXPECT_EQ(o.thrust_unit, ThrustUnit::kgf);
  EXPECT_EQ(o.tare, TareMode::value);
  EXPECT_EQ(o.tare_value, -0.5);
  EXPECT_EQ(o.offset, -3.0);
}

}  // namespace
