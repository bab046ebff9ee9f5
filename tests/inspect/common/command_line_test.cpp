#include "inspect/common/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/check/options.h"
#include "inspect/import/options.h"
#include "inspect/series/options.h"

namespace {

// Each command's line read by its own table; the problem, empty when it runs.
std::string problem_of(const std::string& command, std::vector<std::string> args, CommandLine* line = nullptr) {
  std::string problem;
  CommandLine result = CommandLine::refused;
  if (command == "check") {
    Options o;
    result = read_command_line(kCheckCommandLine, args, &o, &problem);
  } else if (command == "importar") {
    args.insert(args.begin(), {"l", "--saida", "d"});
    ImportOptions o;
    result = read_command_line(kImportCommandLine, args, &o, &problem);
  } else {
    args.insert(args.begin(), {"a", "b"});
    SeriesOptions o;
    result = read_command_line(kSeriesCommandLine, args, &o, &problem);
  }
  if (line != nullptr) *line = result;
  return result == CommandLine::refused ? problem : "";
}

// The rules every command shares, the number rule among them: before, the
// series took --massa 1d0 and the import refused it, the import took 1e400
// as refused but took --coluna 2 only without a sign.
TEST(CommandLine, OneRuleForEveryCommand) {
  const struct {
    std::vector<std::string> args;  // for each command, with its own option
    std::string problem;            // the start of the refusal; empty: taken
  } cases[] = {
      {{"MASS", "1d0"}, ""},
      {{"MASS", "1.5E+0"}, ""},
      {{"MASS", ".5"}, ""},
      {{"MASS", "+2"}, ""},
      {{"MASS", "1,5"}, "MASS pede"},
      {{"MASS", "1kg"}, "MASS pede"},
      {{"MASS", "1e400"}, "MASS pede"},
      {{"MASS", "nan"}, "MASS pede"},
      {{"MASS", "0"}, "MASS pede"},
      {{"MASS", "-1"}, "MASS pede"},
      {{"MASS", ""}, "o valor de MASS está vazio"},
      {{"MASS"}, "falta o valor de MASS"},
      {{"MASS", "1", "MASS", "2"}, "a opção MASS aparece duas vezes"},
      {{"-h", "--help"}, "a opção --help aparece duas vezes"},
      {{"--help", "--x"}, "opção desconhecida --x (um arquivo com esse nome se escreve ./--x)"},
      {{""}, "um nome de arquivo vazio"},
      {{"-", "-"}, "um só arquivo"},  // "-" is a file, not an option
  };
  const struct {
    std::string command;
    std::string mass;
  } commands[] = {{"check", "--massa-total"}, {"importar", "--massa"}, {"serie", "--massa"}};
  for (const auto& command : commands) {
    for (const auto& c : cases) {
      std::vector<std::string> args = c.args;
      for (std::string& word : args) {
        if (word == "MASS") word = command.mass;
      }
      std::string expected = c.problem;
      if (expected.find("MASS") != std::string::npos) expected.replace(expected.find("MASS"), 4, command.mass);
      if (command.command == "check" && args.size() == 2 && args[0] == command.mass && expected.empty()) {
        args.insert(args.end(), {"--eng", "m.eng", "--diametro", "29", "--comprimento", "100"});
      }
      if (command.command == "serie" && expected == "um só arquivo") continue;  // it takes any number
      const std::string problem = problem_of(command.command, args);
      EXPECT_TRUE(expected.empty() ? problem.empty() : problem.starts_with(expected))
          << command.command << " " << (args.empty() ? "" : args[0]) << " " << (args.size() > 1 ? args[1] : "") << ": "
          << problem;
    }
  }
}

TEST(CommandLine, HelpSkipsTheChecksOfAWholeLine) {
  for (const char* command : {"check", "importar", "serie"}) {
    CommandLine line = CommandLine::refused;
    EXPECT_EQ(problem_of(command, {"--help"}, &line), "") << command;
    EXPECT_EQ(line, CommandLine::help) << command;
  }
  Options o;
  std::string problem;
  EXPECT_EQ(read_command_line(kCheckCommandLine, std::vector<std::string>{"--rate", "10"}, &o, &problem),
            CommandLine::refused);
  EXPECT_EQ(problem, "--rate só vale com um arquivo de empuxo");
}

TEST(CommandLine, ValuesGoWhereTheTableSays) {
  Options o;
  std::string problem;
  const std::vector<std::string> args = {"a.dat", "--de", "-0.5", "--ate", "2d0", "--rate", "+1000", "--version"};
  ASSERT_EQ(read_command_line(kCheckCommandLine, args, &o, &problem), CommandLine::run) << problem;
  EXPECT_EQ(o.thrust_file, "a.dat");
  EXPECT_EQ(o.from, -0.5);
  EXPECT_EQ(o.to, 2.0);
  EXPECT_EQ(o.rate, 1000);
  EXPECT_TRUE(o.version);
  SeriesOptions s;
  const std::vector<std::string> series = {
      "a",  "--csv-internacional", "b",   "c", "--eng", "--help", "--diametro", "29", "--comprimento",
      "83", "--massa-total",       "0.08"};
  ASSERT_EQ(read_command_line(kSeriesCommandLine, series, &s, &problem), CommandLine::run) << problem;
  EXPECT_EQ(s.firings, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(s.dialect, CsvDialect::international);
  EXPECT_EQ(s.eng_file, "--help");  // a value, whatever it looks like
  EXPECT_EQ(s.diameter, 29.0);
  EXPECT_EQ(s.total_mass, 0.08);
}

TEST(CommandLine, UsageListsTheCommandsFromTheTable) {
  const CommandText all[] = {kCheckText, kImportText, kSeriesText};
  const std::string check = usage_text(kCheckText, all);
  EXPECT_TRUE(check.starts_with("uso: talvironeska-inspect [ARQUIVO [--rate HZ]]")) << check;
  EXPECT_NE(check.find("\n     talvironeska-inspect importar REGISTRO --massa KG --saida DIR [opções]\n"),
            std::string::npos);
  EXPECT_NE(check.find("\n  serie           estatística de certificação de vários ensaios de um motor (serie "
                       "--help)\n"),
            std::string::npos);
  const std::string import = usage_text(kImportText, all);
  EXPECT_TRUE(import.starts_with("uso: talvironeska-inspect importar REGISTRO")) << import;
  EXPECT_EQ(import.find("serie"), std::string::npos);
  EXPECT_EQ(see_help(kImportText), " (veja importar --help)");
  EXPECT_EQ(see_help(kCheckText), " (veja --help)");
}

}  // namespace
