// talvironeska-inspect run as a user runs it: in a case directory, or on one
// thrust data file. It must leave the case's files as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "harness.h"

#include "../support/eng_reading.h"
#include "../support/engine_rules.h"

namespace {

// The inspector's own runs, on the build's binary, or in the Windows run on
// talvironeska-inspect.exe when TALVIRONESKA_E2E_INSPECT_EXE names it.
class Inspect : public ::testing::Test {
 protected:
  void SetUp() override {
    if (e2e::windows_run() && !e2e::windows_inspect_run()) GTEST_SKIP() << "no TALVIRONESKA_E2E_INSPECT_EXE";
  }
};

std::map<std::string, std::string> contents(const e2e::CaseDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    const std::string name = entry.path().filename().string();
    files[name] = entry.is_symlink() ? "-> " + std::filesystem::read_symlink(entry.path()).string() : dir.read(name);
  }
  return files;
}

e2e::RunResult inspect(const e2e::CaseDir& dir, const std::vector<std::string>& args = {}) {
  return dir.run_inspect(args);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void write_f67_case(e2e::CaseDir& dir, const std::string& ti, const std::string& tf, const std::string& nmax = "1000") {
  e2e::CaseFiles files;
  files.original = "'f67w.dat'";
  files.ti = ti;
  files.tf = tf;
  files.M = "0.030";
  files.w = "500";
  files.nmax = nmax;
  files.thrust_file = "f67w.dat";
  files.thrust_data = e2e::source_file("examples/f67w/f67w.dat");
  dir.write_valid_case(files);
}

TEST_F(Inspect, CaseThatFitsLeavesEveryFileAsItWas) {
  e2e::CaseDir dir;
  write_f67_case(dir, "2.126", "3.050");
  const auto before = contents(dir);
  const e2e::RunResult r = inspect(dir, {"--eng", "f67.eng", "--rse", "f67.rse", "--diametro", "29", "--comprimento",
                                         "83", "--massa-total", "0.0813", "--atrasos", "4-6-8"});
  EXPECT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(has(r.out, "    2.126           ti (s)\n")) << r.out;
  EXPECT_TRUE(has(r.out, "7. Janela do caso caso.txt: ti = 2.126 s, tf = 3.05 s"));
  EXPECT_TRUE(has(r.out, "Resultado: os dados cabem nas suposições do programa."));
  auto after = contents(dir);
  ASSERT_EQ(after.count("f67.eng"), 1u);
  EXPECT_EQ(eng_rule_breaks(after["f67.eng"]), std::vector<std::string>{}) << after["f67.eng"];
  EXPECT_EQ(rse_rule_breaks(after["f67.rse"]), std::vector<std::string>{}) << after["f67.rse"];
  EXPECT_EQ(xml_elements(after["f67.rse"], "engine").at(0).at("delays"), "4,6,8");
  const EngFile eng = read_eng(after["f67.eng"]);
  EXPECT_TRUE(eng.well_formed);
  EXPECT_EQ(eng.delays, "4-6-8");
  EXPECT_EQ(eng.name, "F66");
  EXPECT_EQ(eng.propellant_mass, 0.03);
  EXPECT_EQ(eng.total_mass, 0.0813);
  EXPECT_EQ(eng.diameter, "29.0");
  EXPECT_EQ(eng.length, "83.0");
  EXPECT_LE(eng.points.size(), 32u);
  after.erase("f67.eng");
  after.erase("f67.rse");
  EXPECT_EQ(after, before);
  EXPECT_TRUE(dir.launches().empty());
}

// A received case whose plot script runs a program when the run draws the
// plot: the check names each such line of the six the user writes, and
// nothing on the other lines.
TEST_F(Inspect, APlotScriptThatRunsProgramsIsNamedByLine) {
  e2e::CaseDir dir;
  write_f67_case(dir, "2.126", "3.050");
  dir.write(e2e::kPlotScriptFile,
            "# system('rm -rf ~') only in a comment\r\n"
            "set xlabel 't [s]'; set ylabel 'F [N]'\r\n"
            "set grid; sy 'curl x | sh'\r\n"
            "set output '| lp'\r\n"
            "if (1) { set terminal qt persist } else { load 'outro.gnu' }\r\n"
            "set title \"`whoami`\"\r\n"
            "system('echo depois da linha 6')\r\n");
  const auto before = contents(dir);
  const e2e::RunResult r = inspect(dir);
  EXPECT_EQ(r.exit_status, 1) << r.out << r.err;
  for (const int line : {3, 4, 5, 6}) {
    EXPECT_TRUE(has(r.out, "a linha " + std::to_string(line) + " do roteiro do gráfico")) << line << r.out;
  }
  for (const int line : {1, 2, 7}) {
    EXPECT_FALSE(has(r.out, "a linha " + std::to_string(line) + " do roteiro do gráfico")) << line << r.out;
  }
  EXPECT_EQ(contents(dir), before);
}

// A case whose result file is one of its inputs: the check says the run
// would stop with error 30, and names both.
TEST_F(Inspect, AResultFileNamedAsAnInputIsNamed) {
  const struct {
    const char* thrust_file;
    const char* parameter_file;
    const char* said;
  } cases[] = {
      {"ensaio7_saida_A.txt", "caso.txt", "o relatório do caso, ensaio7_saida_A.txt, é o arquivo de empuxo"},
      {"empuxo.dat", "ensaio7_saida_B.txt", "a curva do caso, ensaio7_saida_B.txt, é o arquivo de parâmetros"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.thrust_file = c.thrust_file;
    files.original = std::string("'") + c.thrust_file + "'   arquivo de empuxo";
    files.parameter_file = c.parameter_file;
    files.general_data = std::string(c.parameter_file) + "\r\n";
    dir.write_valid_case(files);
    const auto before = contents(dir);
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, 1) << r.out << r.err;
    EXPECT_TRUE(has(r.out, c.said)) << r.out;
    EXPECT_TRUE(has(r.out, "o programa para com o erro 30 sem escrever nada")) << r.out;
    EXPECT_EQ(contents(dir), before);
  }
}

TEST_F(Inspect, AWindowReadByEyeIsFlaggedOnlyWhenItCutsTheBurn) {
  {
    e2e::CaseDir dir;
    write_f67_case(dir, "1.5", "3.2");  // wide, but around the whole burn
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, 0) << r.out;
    EXPECT_TRUE(has(r.out,
                    "com a janela do caso It e Fmed diferem dos da janela sugerida em +0.4 % e -45.4 % (a janela "
                    "contém uma queima inteira)"))
        << r.out;
  }
  {
    e2e::CaseDir dir;
    write_f67_case(dir, "2.3", "3.2");  // starts in the middle of the burn
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, 1) << r.out;
    EXPECT_TRUE(has(r.out, "AVISO: com a janela do caso It e Fmed diferem dos da janela sugerida")) << r.out;
    EXPECT_TRUE(has(r.out, "impulso da queima fora da janela: antes 1")) << r.out;
  }
}

// What it says the program will do is what the program does: a sure stop is
// "cannot be used", and the figures are those the report prints.
TEST_F(Inspect, WhatItSaysTheProgramWillDo) {
  const struct {
    const char* tf;
    const char* nmax;
    const char* M;
    const char* time_origin;
    const char* head;    // put before the file's lines
    const char* inside;  // put in place of the line "2.500 85.375", inside the window
    int status;
    const char* said;  // on stdout, and on stderr when the status is 2
  } cases[] = {
      {"16.5", "10000", "0.030", "0", "", "", 2, "o programa pararia com o erro 24"},
      {"3.050", "100", "0.030", "0", "", "", 2, "mais que nmax = 100: o programa pararia com o erro 408"},
      {"3.050", "536870912", "0.030", "0", "", "", 2,
       "nmax = 536870912 é grande demais: o programa pararia com o erro 179"},
      {"3.050", "1000", "0.030", "0", "\xEF\xBB\xBF", "", 2, "o programa pararia na linha 1 com o erro 59"},
      {"3.050", "1000", "0.030", "0", "tempo empuxo\n", "", 2, "o programa pararia na linha 1 com o erro 59"},
      {"3.050", "1000", "0.030", "0", "", "2.500 NaN", 2, "o programa pararia na linha 1251 com o erro 59"},
      {"3.050", "1000", "0.030", "0", "", "2.500 1e400", 2, "o programa pararia na linha 1251 com o erro 64"},
      {"3.050", "1000", "0.030", "0", "", "", 0, "Fmax = 86.156 N, tmax = 0.396 s"},
      {"3.050", "1000", "0.030", "1", "", "", 0, "Fmax = 86.156 N, tmax = 2.522 s"},
      {"3.050", "1000", "0", "0", "", "", 1,
       "AVISO: o programa informaria valores infinitos ou que não são números: c, Is"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.original = "'f67w.dat'";
    files.ti = "2.126";
    files.tf = c.tf;
    files.M = c.M;
    files.w = "500";
    files.nmax = c.nmax;
    files.time_origin_option = c.time_origin;
    files.thrust_file = "f67w.dat";
    files.thrust_data = c.head + e2e::source_file("examples/f67w/f67w.dat");
    if (*c.inside != '\0') files.thrust_data.replace(files.thrust_data.find("2.500 85.375"), 12, c.inside);
    dir.write_valid_case(files);
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, c.status) << r.out << r.err;
    EXPECT_TRUE(has(r.out, c.said)) << r.out;
    if (c.status == 2) {
      EXPECT_TRUE(has(r.err, c.said)) << r.err;
    }
    EXPECT_EQ(has(r.out, "os dados cabem"), c.status == 0) << r.out;
  }
}

TEST_F(Inspect, MissingInputIsUnusableAndNothingIsCreated) {
  {
    e2e::CaseDir dir;
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_EQ(r.err, "talvironeska-inspect: erro: severe (29): file not found, unit 5, file " +
                         dir.full_path(e2e::kGeneralDataFile) + "\n");
    EXPECT_FALSE(dir.exists(e2e::kGeneralDataFile));
  }
  {
    e2e::CaseDir dir;
    dir.write(e2e::kGeneralDataFile, "novo.txt\n");
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_EQ(r.err, "talvironeska-inspect: erro: severe (29): file not found, unit 6, file " +
                         dir.full_path("novo.txt") + "\n");
    EXPECT_FALSE(dir.exists("novo.txt"));
  }
  {
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    dir.write_valid_case(files);
    dir.remove(files.thrust_file);
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_TRUE(has(r.err, "severe (29): file not found, unit 8, file " + dir.full_path(files.thrust_file))) << r.err;
    EXPECT_FALSE(dir.exists(files.thrust_file));
  }
  {
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.w = "5.0";
    dir.write_valid_case(files);
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_EQ(r.err, "talvironeska-inspect: erro: severe (59): list-directed I/O syntax error, unit 6, file " +
                         dir.full_path("caso.txt") + "\n");
  }
}

TEST_F(Inspect, OneFileWithAHeaderOrDecimalCommas) {
  e2e::CaseDir dir;
  dir.write("cabecalho.dat", "tempo empuxo\n0.0 0\n0.1 5\n0.2 10\n0.3 5\n0.4 0\n0.5 0\n");
  dir.write("virgula.dat", "0,1 5,5\n0,2 10,5\n0,3 5,5\n0,4 0\n");
  e2e::RunResult r = inspect(dir, {"cabecalho.dat", "--rate", "10"});
  EXPECT_EQ(r.exit_status, 2);  // the program stops at line 1 whatever the window
  EXPECT_TRUE(
      has(r.out, "AVISO: o leitor do programa não lê a linha 1: \"tempo empuxo\" (texto: um cabeçalho ou uma nota)"))
      << r.out;
  EXPECT_TRUE(has(r.out, "o programa pararia nela com o erro 59"));
  // The program stops on a decimal comma with error 59: the check says so
  // and points to the import.
  r = inspect(dir, {"virgula.dat", "--rate", "10"});
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_TRUE(has(r.out,
                  "AVISO: o leitor do programa não lê a linha 1: \"0,1 5,5\" (vírgula decimal: o leitor só "
                  "aceita o ponto)"))
      << r.out;
  EXPECT_TRUE(has(r.out, "o programa pararia nela com o erro 59"));
  EXPECT_TRUE(has(r.out, "importar virgula.dat --massa KG --saida DIR")) << r.out;
}

TEST_F(Inspect, CommandLine) {
  e2e::CaseDir dir;
  e2e::RunResult r = inspect(dir, {"--help"});
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_TRUE(has(r.out, "uso: talvironeska-inspect"));
  r = inspect(dir, {"--version"});
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_TRUE(has(r.out, "talvironeska-inspect "));
  const struct {
    std::vector<std::string> args;
    const char* error;
    // clang-format off
  } bad[] = {
      {{"--rate", "10"}, "talvironeska-inspect: erro: --rate só vale com um arquivo de empuxo (veja --help)\n"},
      {{"a.dat", "--rate", "0"}, "talvironeska-inspect: erro: --rate pede uma frequência inteira positiva em Hz, não \"0\" (veja --help)\n"},
      {{"a.dat", "--rate"}, "talvironeska-inspect: erro: falta o valor de --rate (veja --help)\n"},
      {{"--x"}, "talvironeska-inspect: erro: opção desconhecida --x (um arquivo com esse nome se escreve ./--x) (veja --help)\n"},
      {{"a.dat", "--eng", ""}, "talvironeska-inspect: erro: o valor de --eng está vazio (veja --help)\n"},
      {{"a.dat", "--rate", "10", "--rate", "20"}, "talvironeska-inspect: erro: a opção --rate aparece duas vezes (veja --help)\n"},
      {{"--eng", "a.eng", "--eng", "b.eng"}, "talvironeska-inspect: erro: a opção --eng aparece duas vezes (veja --help)\n"},
      {{"-h", "--help"}, "talvironeska-inspect: erro: a opção --help aparece duas vezes (veja --help)\n"},
      {{""}, "talvironeska-inspect: erro: um nome de arquivo vazio (veja --help)\n"},
      {{"--\x1b[31m"},
       "talvironeska-inspect: erro: opção desconhecida --\\x1B[31m (um arquivo com esse nome se escreve ./--\\x1B[31m) "
       "(veja --help)\n"},
      {{"serie", "a", "b", "--saida", ""}, "talvironeska-inspect: erro: o valor de --saida está vazio (veja serie --help)\n"},
      {{"serie", "a", "b", "--massa", "1", "--massa", "2"},
       "talvironeska-inspect: erro: a opção --massa aparece duas vezes (veja serie --help)\n"},
  };
  // clang-format on
  for (const auto& c : bad) {
    r = inspect(dir, c.args);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_EQ(r.err, c.error);
    EXPECT_EQ(r.out, "");
  }
  // The engine file never replaces an input file.
  dir.write("a.dat", "0 0\n0.1 5\n0.2 0\n0.3 0\n");
  r = inspect(dir, {"a.dat", "--eng", "a.dat"});
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(dir.read("a.dat"), "0 0\n0.1 5\n0.2 0\n0.3 0\n");
}

// The RocketPy teams' logs (MIT): a tail-off, burst sampling, a log cut at
// both ends. What a user must be told about each.
TEST_F(Inspect, RealTeamLogs) {
  const struct {
    const char* file;
    std::vector<std::string> args;
    int status;
    std::vector<const char*> told;
    // clang-format off
  } cases[] = {
      {"keron.dat", {}, 1,
       {"AVISO: a queima termina numa cauda que ainda cai no fim do registro",
        "impulso da queima fora da janela: antes 2.624 N·s (0.2 %), depois 43.658 N·s (3.1 %)", "designação K550",
        "    45              w (Hz)\n"}},
      {"andromeda_m2020.dat", {"--rate", "1000"}, 1,
       {"AVISO: amostragem em rajadas", "AVISO: a taxa medida na queima (593.34 Hz) difere de w = 1000 Hz",
        "AVISO: o passo fixo 1/w muda o impulso em -40.8 % nesta janela",
        "AVISO: o registro não tem uma parte em zero no início"}},
      {"defiance.dat", {}, 1,
       {"AVISO: a queima começa no primeiro registro: o arquivo não tem o início",
        "AVISO: a queima não termina antes do fim do arquivo", "AVISO: amostragem em rajadas",
        "a leitura do programa termina na linha 554", "AVISO: o passo fixo 1/w muda o impulso em -5.1 % nesta janela"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    e2e::CaseDir dir;
    dir.write(c.file, e2e::source_file(std::string("tests/data/real/rocketpy-teams/") + c.file));
    std::vector<std::string> args = {c.file};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const e2e::RunResult r = inspect(dir, args);
    EXPECT_EQ(r.exit_status, c.status) << c.file << "\n" << r.out << r.err;
    for (const char* text : c.told) EXPECT_TRUE(has(r.out, text)) << c.file << ": " << text << "\n" << r.out;
  }
}

TEST_F(Inspect, ChoosingTheEventAndTheEngineFilesSizes) {
  e2e::CaseDir dir;
  dir.write("f67w.dat", e2e::source_file("examples/f67w/f67w.dat"));
  e2e::RunResult r = inspect(dir, {"f67w.dat", "--evento", "2"});
  EXPECT_TRUE(has(r.out, "a queima analisada é o evento 2 (--evento)")) << r.out;
  EXPECT_TRUE(has(r.out, "ti = 9.242 s")) << r.out;
  r = inspect(dir, {"f67w.dat", "--de", "5", "--ate", "12"});
  EXPECT_TRUE(has(r.out, "1: 9.232 s a 9.502 s")) << r.out;
  const struct {
    std::vector<std::string> args;
    const char* error;
  } refused[] = {
      {{"f67w.dat", "--eng", "m.eng", "--massa-total", "0.08", "--massa-propelente", "0.03"},
       "--eng pede o diâmetro e o comprimento do motor em mm, 1 mm ou mais"},
      {{"f67w.dat", "--eng", "m.eng", "--diametro", "0.5", "--comprimento", "83", "--massa-total", "0.08",
        "--massa-propelente", "0.03"},
       "1 mm ou mais"},
      {{"f67w.dat", "--eng", "m.eng", "--diametro", "29", "--comprimento", "83", "--massa-total", "0.08"},
       "--eng pede a massa de propelente (--massa-propelente KG) quando não há caso"},
      {{"f67w.dat", "--rse", "m.eng", "--diametro", "29", "--comprimento", "83", "--massa-total", "0.08",
        "--massa-propelente", "0.08"},
       "a massa de propelente deve ser menor que a massa total"},
      {{"f67w.dat", "--eng", "m.eng", "--diametro", "29", "--comprimento", "83", "--massa-total", "0.08",
        "--massa-propelente", "0.03", "--atrasos", "4,6"},
       "--atrasos pede os atrasos de ejeção em segundos ligados por '-'"},
      {{"f67w.dat", "--eng", "m.eng", "--diametro", "29", "--comprimento", "83", "--massa-total", "0.08",
        "--massa-propelente", "0.03", "--fabricante", "Minha Equipe"},
       "--fabricante pede um nome"},
      {{"f67w.dat", "--atrasos", "6"}, "só valem com --eng ou --rse"},
      {{"f67w.dat", "--de", "5", "--ate", "2"}, "--de deve vir antes de --ate"},
  };
  for (const auto& c : refused) {
    r = inspect(dir, c.args);
    EXPECT_EQ(r.exit_status, 2) << c.error;
    EXPECT_TRUE(has(r.err, c.error)) << r.err;
    EXPECT_FALSE(dir.exists("m.eng"));
  }
  // No burn, no engine file.
  dir.write("nada.dat", "0 0\n0.1 0\n0.2 0\n0.3 0\n");
  r = inspect(dir, {"nada.dat", "--eng", "m.eng", "--diametro", "29", "--comprimento", "83", "--massa-total", "0.08",
                    "--massa-propelente", "0.03"});
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_FALSE(dir.exists("m.eng"));
}

// --eng never writes over a file of the case, under whatever name it is given.
TEST_F(Inspect, TheEngineFileNeverReplacesAFileOfTheCase) {
  const struct {
    bool case_mode;
    std::string target;  // a name in the case directory, or "link:" / "hard:" NAME for a new link to it
  } cases[] = {
      {false, "caso.txt"},
      {false, "./talvironeska_2p1_curva_F-t.gnu"},
      {false, e2e::kGeneralDataFile},
      {false, "ensaio7_saida_B.txt"},
      {false, "link:caso.txt"},
      {false, "hard:f67w.dat"},
      {true, "talvironeska_2p1_curva_F-t.gnu"},
      {true, "ensaio7_saida_A.txt"},
      {true, "../case/caso.txt"},
      {true, "link:ensaio7_saida_B.txt"},
      {true, "link:../case/ensaio7_saida_B.txt"},
      {true, "hard:f67w.dat"},
      // Names as Windows compares them, for a file made already or not yet.
      {true, "win:ENSAIO7_SAIDA_a.txt"},
      {true, "win:ensaio7_saida_A.txt. ."},
      {true, "win:Ensaio7_Saida_B.TXT"},
      {true, "win:CASO.TXT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    if (c.target.starts_with("win:") && !e2e::windows_run()) continue;
    e2e::CaseDir dir;
    write_f67_case(dir, "2.126", "3.050");
    dir.write(e2e::kPlotScriptFile, "set grid\n#\n#\n#\n#\n#\n");
    // The curve file is not there yet in the link cases: the link would make it.
    dir.write("ensaio7_saida_A.txt", "A\r\n");
    if (!c.target.starts_with("link:") && !c.target.starts_with("win:Ensaio7_Saida_B")) {
      dir.write("ensaio7_saida_B.txt", "B\r\n");
    }
    std::string target = c.target.starts_with("win:") ? c.target.substr(4) : c.target;
    // Wine shows a link to a file not made yet as no file at all.
    if (e2e::windows_run() && target.starts_with("link:") && !dir.exists(target.substr(5))) continue;
    if (target.starts_with("link:") || target.starts_with("hard:")) {
      const std::string to = target.substr(5);
      target = "outro.eng";
      const std::string at = dir.path() + "/" + target;
      if (c.target.starts_with("link:"))
        std::filesystem::create_symlink(to, at);
      else
        std::filesystem::create_hard_link(dir.path() + "/" + to, at);
    }
    const auto before = contents(dir);
    std::vector<std::string> args = {"--eng",         target, "--diametro",    "29",
                                     "--comprimento", "83",   "--massa-total", "0.1"};
    if (!c.case_mode) args.insert(args.begin(), {"f67w.dat", "--rate", "500", "--massa-propelente", "0.03"});
    const e2e::RunResult r = inspect(dir, args);
    EXPECT_EQ(r.exit_status, 2) << r.out << r.err;
    EXPECT_TRUE(has(r.err, target + " é um arquivo do caso (")) << r.err;
    EXPECT_TRUE(has(r.err, "): não será sobrescrito\n")) << r.err;
    EXPECT_EQ(contents(dir), before);
  }
}

// Names read from the case with bytes the user cannot see: named with their
// values, with the empty file the program would leave when none has the name.
TEST_F(Inspect, InvisibleBytesInTheCasesNames) {
  const struct {
    std::string general_data;
    std::string original;
    std::string case_name;
    int status;
    std::string said;  // on stderr for status 2, else on stdout
  } cases[] = {
      {"\xEF\xBB\xBF"
       "caso.txt\r\n",
       "'empuxo.dat'", "ensaio7", 2,
       "talvironeska-inspect: erro: o nome do arquivo de parâmetros lido de " + std::string(e2e::kGeneralDataFile) +
           ", \"\\xEF\\xBB\\xBFcaso.txt\", tem bytes invisíveis: EF BB BF (BOM) no início; o programa abriria esse "
           "nome, deixaria lá um arquivo vazio com ele e pararia com o erro 24\n"},
      {"caso.txt\r\r\n", "'empuxo.dat'", "ensaio7", 2, "\"caso.txt\\x0D\", tem bytes invisíveis: 0D (CR) no fim; "},
      {"caso.txt\r\n", "'empuxo.dat\x1b[2J'", "ensaio7", 2,
       "o nome do arquivo de empuxo lido de caso.txt, \"empuxo.dat\\x1B[2J\", tem bytes invisíveis: 1B (ESC) na "
       "posição 11; o programa abriria esse nome"},
      {"caso.txt\r\n", "'empuxo.dat'", "'ensaio\t7'", 1,
       "AVISO: o nome do caso lido de caso.txt, \"ensaio\\x097\", que dá nome aos arquivos de saída, tem bytes "
       "invisíveis: 09 (TAB) na posição 7\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    e2e::CaseDir dir;
    e2e::CaseFiles files;
    files.general_data = c.general_data;
    files.original = c.original;
    files.case_name = c.case_name;
    dir.write_valid_case(files);
    const auto before = contents(dir);
    const e2e::RunResult r = inspect(dir);
    EXPECT_EQ(r.exit_status, c.status) << r.out << r.err;
    EXPECT_TRUE(has(c.status == 2 ? r.err : r.out, c.said)) << r.out << r.err;
    EXPECT_EQ(contents(dir), before);
  }
}

// A report or an engine file that cannot be written is a failure, and with
// the standard output closed no file takes its place.
TEST_F(Inspect, ALostReportOrEngineFileIsAFailure) {
  if (e2e::windows_run()) GTEST_SKIP() << "the shell's redirections are the POSIX binary's";
  e2e::CaseDir dir;
  write_f67_case(dir, "2.126", "3.050");
  const std::string eng = "--eng m.eng --diametro 29 --comprimento 83 --massa-total 0.1";
  const struct {
    std::string shell;
    std::string error;
  } cases[] = {
      {"exec \"$0\" >/dev/full", "erro ao escrever o relatório na saída padrão"},
      {"exec \"$0\" >&-", "erro ao escrever o relatório na saída padrão"},
      {"exec \"$0\" " + eng + " >&-", "erro ao escrever o relatório na saída padrão"},
      {"exec \"$0\" --help >/dev/full", "erro ao escrever o relatório na saída padrão"},
      // Two firings of one log are refused: the second is a copy.
      {"cp f67w.dat copia.dat && exec \"$0\" serie . copia.dat --saida s >/dev/full",
       "erro ao escrever o relatório na saída padrão"},
      {"exec \"$0\" --eng /dev/full --diametro 29 --comprimento 83 --massa-total 0.1 >/dev/null",
       "erro ao escrever /dev/full: nenhum arquivo de motor escrito"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shell);
    const e2e::RunResult r = dir.run_program({"/bin/sh", "-c", c.shell, TALVIRONESKA_INSPECT_BIN});
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_TRUE(has(r.err, "talvironeska-inspect: erro: " + c.error + "\n")) << r.err;
    EXPECT_FALSE(dir.exists("m.eng"));
  }
}

}  // namespace
