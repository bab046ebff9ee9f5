// talvironeska-inspect serie on real and generated series of firings: the
// report, the CSV, the mean curve's engine file, the picture, and the case
// files left as they were.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "harness.h"
#include "png_check.h"

#include "../support/eng_reading.h"
#include "../support/engine_rules.h"

namespace {

namespace fs = std::filesystem;

class Series : public ::testing::Test {};

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

e2e::RunResult serie(const e2e::CaseDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), "serie");
  return dir.run_inspect(args, std::chrono::seconds(60));
}

// Every file under the case directory, by relative name.
std::map<std::string, std::string> contents(const e2e::CaseDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
    if (!entry.is_regular_file()) continue;
    const std::string name = fs::relative(entry.path(), dir.path()).string();
    files[name] = dir.read(name);
  }
  return files;
}

// A case directory SUB holding the three files the program reads.
void write_case(const e2e::CaseDir& dir, const std::string& sub, const e2e::CaseFiles& files) {
  fs::create_directories(dir.path() + "/" + sub);
  dir.write(sub + "/" + e2e::kGeneralDataFile, files.general_data);
  dir.write(sub + "/" + files.parameter_file, e2e::case_params_text(files));
  dir.write(sub + "/" + files.thrust_file, files.thrust_data);
}

void write_l1420r_case(const e2e::CaseDir& dir, int test, const char* ti, const char* tf) {
  const std::string data = "l1420r_test" + std::to_string(test) + "_tared.dat";
  e2e::CaseFiles files;
  files.general_data = "caso.txt\r\n";
  files.original = "'" + data + "'";
  files.ti = ti;
  files.tf = tf;
  files.M = "2.560";
  files.w = "2000";
  files.nmax = "10000";
  files.case_name = "l1420r_t" + std::to_string(test);
  files.thrust_file = data;
  files.thrust_data = e2e::source_file("tests/data/real/olemiss-l1420r/" + data);
  write_case(dir, "t" + std::to_string(test), files);
}

// A trapezoid of 30 N * FACTOR: 0.05 s rise from T0, 1.5 s flat, 0.05 s
// fall, every 1/W s up to 0.5 s after it. Its impulse is 46.5 N s * FACTOR
// on any grid through its corners.
std::string trapezoid(int w, double t0, double factor) {
  std::string text;
  const int n = static_cast<int>(std::lround((t0 + 2.1) * w));
  for (int k = 0; k <= n; ++k) {
    const double t = static_cast<double>(k) / w;
    const double s = t - t0;
    double F = 0.0;
    if (s > 0.0 && s < 0.05) F = s / 0.05;
    if (s >= 0.05 && s <= 1.55) F = 1.0;
    if (s > 1.55 && s < 1.6) F = (1.6 - s) / 0.05;
    char line[64];
    std::snprintf(line, sizeof line, "%.6f %.6f\n", t, 30.0 * factor * F);
    text += line;
  }
  return text;
}

// The L1420R's sizes, for its engine file.
const std::vector<std::string> kL1420RSizes = {"--diametro", "75", "--comprimento", "443", "--massa-total", "4.3"};

constexpr double kSpread[10] = {-0.045, -0.035, -0.025, -0.015, -0.005, 0.005, 0.015, 0.025, 0.035, 0.045};

TEST_F(Series, TwoRealL1420RFiringsFromTheirCases) {
  e2e::CaseDir dir;
  write_l1420r_case(dir, 1, "6.12", "9.97");
  write_l1420r_case(dir, 2, "5.3845", "8.6695");
  const auto before = contents(dir);
  std::vector<std::string> args = {"t1", "t2", "--saida", "serie", "--atrasos", "P", "--fabricante", "AeroTech"};
  args.insert(args.end(), kL1420RSizes.begin(), kL1420RSizes.end());
  const e2e::RunResult r = serie(dir, args);
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_EQ(r.err, "");

  const std::string report = dir.read("serie/serie.txt");
  // The program's own figures: test 2 as its recording's notes give them.
  EXPECT_TRUE(has(report, " ensaio 1              4.838750E+03      1.256818E+03      3.850000E+00")) << report;
  EXPECT_TRUE(has(report, " ensaio 2              4.936855E+03      1.502848E+03      3.285000E+00      1.898274E+03"));
  EXPECT_TRUE(has(report,
                  " m\xE9"
                  "dia                 4.887803E+03"));
  EXPECT_TRUE(has(report, "   categoria = alta pot\xEAncia"));
  EXPECT_TRUE(has(report,
                  "   desvio de It (n-1) / It m\xE9"
                  "dio            =    1.419266E-02   limite =    6.700000E-02   passou\r\n"));
  EXPECT_TRUE(
      has(report,
          "   n\xFAmero de ensaios                        =               2   m\xEDnimo =               2   passou"));
  EXPECT_TRUE(has(report,
                  "   Resultado = aprovada em todas as verifica\xE7\xF5"
                  "es\r\n"));
  // Windows-1252 with CR LF on every line, the last one too.
  EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
  for (std::size_t at = report.find('\n'); at != std::string::npos; at = report.find('\n', at + 1)) {
    ASSERT_EQ(report[at - 1], '\r') << at;
  }
  EXPECT_TRUE(has(r.out, "Resultado = aprovada em todas as verificações\n"));  // the console stays UTF-8

  const std::string csv = dir.read("serie/serie.csv");
  EXPECT_TRUE(has(csv, "\"designa\xE7\xE3o\"\r\n1;\"l1420r_t1\";\"t1\";6,12;9,97;2000;2,56;4838,75;1256,818;3,85;"))
      << csv;
  EXPECT_TRUE(has(csv, "\r\n2;\"l1420r_t2\";\"t2\";5,3845;8,6695;2000;2,56;4936,855;1502,848;3,285;1898,274;"));

  const std::string eng_text = dir.read("serie/serie.eng");
  EXPECT_EQ(eng_rule_breaks(eng_text), std::vector<std::string>{}) << eng_text;
  const EngFile eng = read_eng(eng_text);
  ASSERT_TRUE(eng.well_formed);
  // The standard figures count from the zero on each side of the burn: on
  // these stands it moves by 50 to 75 N across it.
  EXPECT_EQ(eng.name, "L1349");
  EXPECT_EQ(eng.diameter, "75.0");
  EXPECT_EQ(eng.delays, "P");
  EXPECT_EQ(eng.maker, "AeroTech");
  EXPECT_EQ(eng.propellant_mass, 2.56);
  EXPECT_EQ(eng.total_mass, 4.3);
  EXPECT_LE(eng.points.size(), 32u);
  EXPECT_EQ(eng.points.back().F, 0.0);
  const double mean_It = (4838.750 + 4936.855) / 2.0;
  EXPECT_NEAR(eng_impulse(eng), mean_It, 0.005 * mean_It);

  const e2e::PngInfo png = e2e::png_info(dir.read("serie/serie.png"));
  EXPECT_TRUE(png.valid && png.has_image_data && png.has_end);
  EXPECT_EQ(png.width, 1200u);

  auto after = contents(dir);
  for (const char* name :
       {"serie.txt", "serie.csv", "serie.eng", "serie.gnu", "serie_curvas.dat", "serie.png", "serie.html"}) {
    EXPECT_EQ(after.erase(std::string("serie/") + name), 1u) << name;
  }
  EXPECT_EQ(after, before);  // the cases as they were, nothing else written
}

TEST_F(Series, TenGeneratedFiringsWithAKnownSpread) {
  e2e::CaseDir dir;
  std::vector<std::string> args;
  for (int i = 0; i < 10; ++i) {
    // Other rates, other lengths, other windows.
    const int w = i % 2 == 0 ? 1000 : 500;
    const double t0 = 0.5 + 0.1 * i;
    e2e::CaseFiles files;
    files.original = "'empuxo.dat'";
    files.ti = std::to_string(t0 - 0.1);
    files.tf = std::to_string(t0 + 1.7);
    files.M = "0.040";
    files.w = std::to_string(w);
    files.nmax = "5000";
    files.case_name = "gerado" + std::to_string(i + 1);
    files.thrust_data = trapezoid(w, t0, 1.0 + kSpread[i]);
    write_case(dir, "c" + std::to_string(i + 1), files);
    args.push_back("c" + std::to_string(i + 1));
  }
  args.insert(args.end(), {"--saida", "out", "--csv-internacional", "--diametro", "24", "--comprimento", "70",
                           "--massa-total", "0.09", "--rse", "out/serie.rse"});
  const e2e::RunResult r = serie(dir, args);
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  const std::string report = dir.read("out/serie.txt");
  // Mean 46.5 N s; sample sigma 46.5 * sqrt(0.00825 / 9), population sigma
  // 46.5 * sqrt(0.00825 / 10): the spread of the factors 1 +- 0.005 ... 0.045.
  EXPECT_TRUE(has(report,
                  " m\xE9"
                  "dia                 4.650000E+01"))
      << report;
  EXPECT_TRUE(has(report, " desvio (n-1)          1.407857E+00"));
  EXPECT_TRUE(has(report, " desvio (n)            1.335611E+00"));
  EXPECT_TRUE(has(report,
                  " desvio/m\xE9"
                  "dia          3.027650E-02"));
  EXPECT_TRUE(has(report, "   categoria = motor-modelo"));
  EXPECT_TRUE(
      has(report,
          "   n\xFAmero de ensaios                        =              10   m\xEDnimo =              10   passou"));
  EXPECT_TRUE(has(report,
                  "   maior |It - It m\xE9"
                  "dio| / It m\xE9"
                  "dio         =    4.500000E-02   limite =    2.000000E-01   passou"));
  const std::string csv = dir.read("out/serie.csv");
  EXPECT_TRUE(has(csv, "\r\n10,\"gerado10\",\"c10\",1.3,3.1,500,0.04,48.5925,")) << csv;

  const std::string eng_text = dir.read("out/serie.eng");
  EXPECT_EQ(eng_rule_breaks(eng_text), std::vector<std::string>{}) << eng_text;
  const EngFile eng = read_eng(eng_text);
  ASSERT_TRUE(eng.well_formed);
  EXPECT_NEAR(eng_impulse(eng), 46.5, 0.005 * 46.5);
  const std::string rse = dir.read("out/serie.rse");
  EXPECT_EQ(rse_rule_breaks(rse), std::vector<std::string>{}) << rse;
  EXPECT_EQ(xml_elements(rse, "engine").at(0).at("propWt"), "40.00");
  EXPECT_NEAR(std::stod(xml_elements(rse, "engine").at(0).at("Itot")), 46.5, 0.005 * 46.5);

  // The script kept beside the picture draws it again on its own.
  dir.remove("out/serie.png");
  const e2e::RunResult plot = dir.run_program({"/bin/sh", "-c", "cd out && gnuplot serie.gnu"});
  ASSERT_EQ(plot.exit_status, 0) << "gnuplot (Debian: gnuplot-nox) failed:\n" << plot.err;
  EXPECT_EQ(plot.err, "");
  EXPECT_TRUE(e2e::png_info(dir.read("out/serie.png")).has_end);
}

TEST_F(Series, AFiringOutsideTheLotLimitIsNamed) {
  e2e::CaseDir dir;
  std::vector<std::string> args;
  for (int i = 0; i < 3; ++i) {
    const std::string name = "queima" + std::to_string(i + 1) + (i == 2 ? "_ção.dat" : ".dat");
    dir.write(name, trapezoid(1000, 0.5, i == 2 ? 1.5 : 1.0));
    args.push_back(name);
  }
  args.insert(args.end(), {"--rate", "1000", "--massa", "0.04"});
  const e2e::RunResult r = serie(dir, args);
  EXPECT_EQ(r.exit_status, 1) << r.out << r.err;
  EXPECT_TRUE(
      has(r.out,
          "/ It médio         =    2.857143E-01   limite =    2.000000E-01   reprovada: ensaio 3 (queima3_ção.dat)\n"))
      << r.out;
  // The name the file system gives in UTF-8 goes into the report in Windows-1252.
  EXPECT_TRUE(
      has(dir.read("serie.txt"), "   ensaio  3 = queima3_\xE7\xE3o.dat (arquivo de empuxo queima3_\xE7\xE3o.dat)\r\n"));
  EXPECT_TRUE(has(r.out, "mínimo =              10   reprovada\n"));
  EXPECT_TRUE(has(r.out, "   Resultado = reprovada em 3 verificações\n"));
  EXPECT_TRUE(dir.exists("serie.png"));
}

TEST_F(Series, AnUnreadableFiringIsNamedAndNothingIsWritten) {
  e2e::CaseDir dir;
  write_l1420r_case(dir, 2, "5.3845", "8.6695");
  dir.write("cabecalho.dat", "tempo empuxo\n" + trapezoid(1000, 0.5, 1.0));
  const auto before = contents(dir);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"t2", "cabecalho.dat", "--saida", "out"},
                                               std::vector<std::string>{"t2", "nada", "--saida", "out"}}) {
    const e2e::RunResult r = serie(dir, args);
    EXPECT_EQ(r.exit_status, 2) << r.out;
    EXPECT_TRUE(has(r.err, "ensaio " + args[1] + ": ")) << r.err;
    EXPECT_TRUE(has(r.err, "nenhum arquivo escrito")) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(contents(dir), before);
    EXPECT_FALSE(dir.exists("out"));
  }
}

// One log given twice, under its own name, another spelling of it or a
// link, would pass the checks on itself: refused, both arguments named.
TEST_F(Series, OneLogGivenTwiceIsRefused) {
  if (e2e::windows_run()) GTEST_SKIP() << "symbolic links are the POSIX run's";
  e2e::CaseDir dir;
  dir.write("queima.dat", trapezoid(1000, 0.5, 1.0));
  dir.write("outra.dat", trapezoid(1000, 0.5, 1.01));
  fs::create_symlink("queima.dat", dir.path() + "/atalho.dat");
  const auto before = contents(dir);
  for (const char* again : {"queima.dat", "./queima.dat", "atalho.dat"}) {
    const e2e::RunResult r = serie(dir, {"queima.dat", "outra.dat", again, "--massa", "0.04", "--saida", "out"});
    EXPECT_EQ(r.exit_status, 2) << again << "\n" << r.out << r.err;
    EXPECT_TRUE(has(r.err, std::string("os ensaios queima.dat e ") + again + " são o mesmo registro")) << r.err;
    EXPECT_FALSE(dir.exists("out"));
    EXPECT_EQ(contents(dir), before);
  }
}

// A burn read below its zero (a cell wired the other way) is named, and
// read mirrored with --inverter.
TEST_F(Series, AnInvertedCellIsNamedAndReadMirroredWhenAsked) {
  e2e::CaseDir dir;
  std::string mirrored = trapezoid(1000, 0.5, 1.0);
  for (std::size_t at = mirrored.find(' '); at != std::string::npos; at = mirrored.find(' ', at + 1)) {
    mirrored.insert(at + 1, "-");
  }
  dir.write("a.dat", mirrored);
  dir.write("b.dat", mirrored);
  const e2e::RunResult refused = serie(dir, {"a.dat", "b.dat", "--massa", "0.04"});
  EXPECT_EQ(refused.exit_status, 2) << refused.out;
  EXPECT_TRUE(has(refused.err, "ensaio a.dat: o registro tem uma queima abaixo do zero")) << refused.err;
  EXPECT_TRUE(has(refused.err, "--inverter")) << refused.err;
  const e2e::RunResult read = serie(dir, {"a.dat", "b.dat", "--massa", "0.04", "--inverter"});
  // Two firings are fewer than the checks ask for: status 1, the series made.
  EXPECT_EQ(read.exit_status, 1) << read.out << read.err;
  EXPECT_TRUE(has(read.out, "Série   = 2 ensaios, designação pelas médias F29")) << read.out;
}

TEST_F(Series, NeverWritesOverAFileOfACase) {
  e2e::CaseDir dir;
  write_l1420r_case(dir, 1, "6.12", "9.97");
  write_l1420r_case(dir, 2, "5.3845", "8.6695");
  fs::create_symlink("t1/l1420r_test1_tared.dat", dir.path() + "/alias.eng");
  fs::create_hard_link(dir.path() + "/t2/caso.txt", dir.path() + "/t2/serie.csv");
  const auto before = contents(dir);
  const struct {
    std::vector<std::string> args;
    const char* owner;
    // clang-format off
  } cases[] = {
      {{"t1", "t2", "--eng", "alias.eng"}, "ensaio t1"},                // a link to a thrust data file
      {{"t1", "t2", "--eng", "t2/../t2/caso.txt"}, "ensaio t2"},        // another spelling of a case file
      {{"t1", "t2", "--saida", "t2"}, "ensaio t2"},                     // serie.csv is the case file's hard link
      {{"t1", "t2", "--saida", "t1", "--eng", "x.eng"}, nullptr},       // the case's folder itself is fine
  };
  // clang-format on
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), kL1420RSizes.begin(), kL1420RSizes.end());
    const e2e::RunResult r = serie(dir, args);
    if (c.owner == nullptr) {
      EXPECT_EQ(r.exit_status, 0) << r.err;
      continue;
    }
    EXPECT_EQ(r.exit_status, 2) << c.args.back();
    EXPECT_TRUE(has(r.err, std::string("é um arquivo do ") + c.owner + ": não será sobrescrito")) << r.err;
    EXPECT_EQ(contents(dir), before) << c.args.back();
  }
}

TEST_F(Series, AWriteErrorEndsWithStatus2AndItsMessage) {
  e2e::CaseDir dir;
  dir.write("a.dat", trapezoid(1000, 0.5, 1.0));
  dir.write("b.dat", trapezoid(1000, 0.5, 1.01));
  dir.write("arquivo", "");
  // The file as the error line names it: Windows gives its full path name.
  const std::string full = e2e::windows_inspect_run() ? "Z:\\dev\\full" : "/dev/full";
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"a.dat", "b.dat", "--eng", "/dev/full", "--diametro", "24", "--comprimento", "70", "--massa-total", "0.09",
        "--massa", "0.04"},
       "severe (38): error during write, unit 42, file " + full},
      {{"a.dat", "b.dat", "--saida", "arquivo"}, ", unit 40, file " + dir.full_path("arquivo/serie.txt") + "\n"},
  };
  for (const auto& c : cases) {
    const e2e::RunResult r = serie(dir, c.args);
    EXPECT_EQ(r.exit_status, 2) << c.message;
    EXPECT_TRUE(has(r.err, c.message)) << r.err;
  }
}

TEST_F(Series, NamesNeverBecomeGnuplotCommands) {
  static const struct {
    std::string name;
    bool windows;  // a Windows file name may hold it
  } names[] = {
      {"x'; system('touch pwned'); print '.dat", true},
      {"<touch pwned2", false},      // a pipe, to gnuplot, where it reads a file
      {"`touch pwned3`.dat", true},  // a command's output, in a gnuplot line
  };
  e2e::CaseDir dir;
  std::vector<std::string> args;
  for (const auto& n : names) {
    if (e2e::windows_inspect_run() && !n.windows) continue;
    dir.write(n.name, trapezoid(args.size() % 2 == 0 ? 1000 : 500, 0.3 + 0.1 * args.size(), 1.0 + 0.01 * args.size()));
    args.push_back("./" + n.name);
  }
  args.insert(args.end(), {"--rate", "1000", "--saida", "out"});
  const e2e::RunResult r = serie(dir, args);
  EXPECT_EQ(r.exit_status, 1) << r.err;  // too few firings for a model motor; the picture is drawn
  EXPECT_FALSE(has(r.out, "AVISO")) << r.out;
  EXPECT_TRUE(e2e::png_info(dir.read("out/serie.png")).has_end);
  const std::string script = dir.read("out/serie.gnu");
  EXPECT_TRUE(has(script, "title 'ensaio 1: x''; system(''touch pwned''); print ''.dat'"));
  EXPECT_TRUE(has(script, "`touch pwned3`.dat'"));
  for (const char* made : {"pwned", "pwned2", "pwned3"}) {
    EXPECT_FALSE(dir.exists(made) || dir.exists(std::string("out/") + made)) << made;
  }
}

// Without a picture the series is not a success: the files are written, the
// console says why the picture is missing, and the status is 1 where the
// checks alone pass.
TEST_F(Series, AMissingOrFailingGnuplotIsReported) {
  const struct {
    e2e::Gnuplot gnuplot;
    const char* warning;
  } cases[] = {
      {e2e::Gnuplot::missing,
       "AVISO: o gnuplot n\xC3\xA3o p\xC3\xB4"
       "de ser iniciado: "},
      {e2e::Gnuplot::failing, "AVISO: o gnuplot terminou com o estado 3\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.warning);
    e2e::CaseDir dir;
    write_l1420r_case(dir, 1, "6.12", "9.97");
    write_l1420r_case(dir, 2, "5.3845", "8.6695");
    fs::create_directory(dir.path() + "/serie");
    dir.write("serie/serie.png", "an old picture");
    dir.use_gnuplot(c.gnuplot);
    const e2e::RunResult r = serie(dir, {"t1", "t2", "--saida", "serie"});
    EXPECT_EQ(r.exit_status, 1) << r.out << r.err;
    EXPECT_TRUE(has(r.out,
                    "Resultado = aprovada em todas as verifica\xC3\xA7\xC3\xB5"
                    "es\n"))
        << r.out;
    EXPECT_TRUE(has(r.out, c.warning)) << r.out;
    if (c.gnuplot == e2e::Gnuplot::missing) {
      const std::string png = e2e::windows_inspect_run() ? "serie\\serie.png" : "serie/serie.png";
      EXPECT_TRUE(has(r.out, ": " + png + " n\xC3\xA3o foi desenhado\n")) << r.out;
    }
    // Without the motor's sizes, no engine file, and the report and the console say what it needs.
    EXPECT_TRUE(has(r.out,
                    ": serie.txt, serie.csv, serie_curvas.dat, serie.gnu, serie.html; nenhum arquivo de motor: pede "
                    "--diametro MM --comprimento MM --massa-total KG\n"))
        << r.out;
    EXPECT_TRUE(has(dir.read("serie/serie.txt"), "   arquivo = nenhum: pede --diametro MM --comprimento MM"));
    EXPECT_FALSE(dir.exists("serie/serie.png"));
    // The page holds the tables all the same and says how to get the plot.
    const std::string page = dir.read("serie/serie.html");
    EXPECT_TRUE(has(page, "Instale o gnuplot"));
    EXPECT_TRUE(has(page, "data-json=\"series.program.It_Ns.mean\""));
    EXPECT_TRUE(dir.exists("serie/serie.gnu"));
    EXPECT_FALSE(dir.exists("serie/serie.eng"));
  }
}

// The firings' folder is where the series is run from; a gnuplot.exe that
// came with them is not the user's gnuplot.
TEST_F(Series, AGnuplotInTheWorkingFolderIsNotRun) {
  e2e::CaseDir dir;
  dir.write("a.dat", trapezoid(1000, 0.5, 1.0));
  dir.write("b.dat", trapezoid(1000, 0.5, 1.01));
  dir.use_gnuplot(e2e::Gnuplot::missing);
  dir.put_gnuplot_in_case();
  const e2e::RunResult r = serie(dir, {"a.dat", "b.dat", "--saida", "out"});
  EXPECT_EQ(r.exit_status, 1) << r.err;
  EXPECT_TRUE(has(r.out,
                  "AVISO: o gnuplot n\xC3\xA3o p\xC3\xB4"
                  "de ser iniciado: "))
      << r.out;
  EXPECT_FALSE(dir.exists("out/serie.png"));
}

// A gnuplot planted in the folder the series writes into never runs, even
// with an empty or a relative entry on the search path: gnuplot is looked
// for in the path's absolute folders only.
TEST_F(Series, NoGnuplotIsTakenFromTheFolderItWritesIn) {
  if (e2e::windows_run()) GTEST_SKIP() << "the POSIX search";
  e2e::CaseDir dir;
  for (const char* name : {"a.dat", "b.dat"}) dir.write(name, trapezoid(1000, 0.5, 1.0));
  std::filesystem::create_directories(dir.path() + "/saida");
  dir.write("saida/gnuplot", "#!/bin/sh\necho rodou > plantado.txt\n");
  std::filesystem::permissions(dir.path() + "/saida/gnuplot", std::filesystem::perms::owner_all);
  for (const char* path : {":$PATH", ".:$PATH", "saida:$PATH"}) {
    SCOPED_TRACE(path);
    const std::string shell =
        std::string("PATH=") + path + " exec \"$0\" serie a.dat b.dat --massa 0.04 --saida saida >/dev/null 2>&1";
    dir.run_program({"/bin/sh", "-c", shell, TALVIRONESKA_INSPECT_BIN});
    EXPECT_TRUE(dir.exists("saida/serie.txt"));
    EXPECT_FALSE(dir.exists("saida/plantado.txt"));
    EXPECT_FALSE(dir.exists("plantado.txt"));
    std::filesystem::remove(dir.path() + "/saida/serie.txt");
  }
}

}  // namespace
