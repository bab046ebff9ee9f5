// talvironeska-inspect importar on loggers' files, then the program on the
// case it wrote: the program's impulse must be the one of the measured
// stamps, whatever the file's dialect.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cell_files.h"
#include "harness.h"

#include "../support/json_value.h"

namespace {

constexpr double kGo = 9.80665;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

class Import : public ::testing::Test {};

e2e::RunResult importar(const e2e::CaseDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), "importar");
  return dir.run_inspect(args);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The number after TEXT in the import's report ("tara: " -> 0.343).
double number_after(const std::string& report, const std::string& text) {
  const std::size_t at = report.find(text);
  EXPECT_NE(at, std::string::npos) << text << " in\n" << report;
  return at == std::string::npos ? NAN : std::strtod(report.c_str() + at + text.size(), nullptr);
}

// The report line of the program holding LABEL, its number at the end.
double report_figure(const std::string& report, const std::string& label) {
  const std::size_t at = report.find(label);
  EXPECT_NE(at, std::string::npos) << label;
  if (at == std::string::npos) return NAN;
  const std::size_t end = report.find("\r\n", at);
  const std::string line = report.substr(at, end - at);
  return std::strtod(line.c_str() + line.rfind('=') + 1, nullptr);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    begin = end + 1;
  }
  return lines;
}

struct Stamp {
  double t;  // s from the first record
  double F;  // N, as the file holds it, before any tare
};

// A 1.2 s burn from 2 s, 25 N at its peak, with a little deterministic noise.
double motor(double t, int k) {
  const double noise = 0.02 * std::sin(1.7 * k);
  if (t <= 2.0 || t >= 3.2) return noise;
  return 25.0 * std::sqrt(std::sin(M_PI * (t - 2.0) / 1.2)) + noise;
}

// The trapezoid over STAMPS from FROM to TO, the ends cut by interpolation,
// after TARE and with negative thrust set to zero, as the program's Fcor = 0.
double trapezoid(const std::vector<Stamp>& stamps, double tare, double from, double to) {
  auto F = [&](double value) { return std::max(0.0, value - tare); };
  double It = 0.0;
  for (std::size_t i = 1; i < stamps.size(); ++i) {
    const Stamp& a = stamps[i - 1];
    const Stamp& b = stamps[i];
    const double t0 = std::max(a.t, from);
    const double t1 = std::min(b.t, to);
    if (t1 <= t0) continue;
    auto at = [&](double t) { return F(a.F + (b.F - a.F) * (t - a.t) / (b.t - a.t)); };
    It += (at(t0) + at(t1)) / 2.0 * (t1 - t0);
  }
  return It;
}

struct Log {
  std::string name;
  std::string text;
  std::vector<std::string> options;
  std::vector<Stamp> stamps;
};

// An Arduino with an HX711: millis() stamps 12 and 13 ms apart (80 Hz on
// average) from 1000 ms, grams, 35 g on the cell before ignition.
std::vector<std::pair<long, double>> logger_records() {
  std::vector<std::pair<long, double>> records;
  long ms = 1000;
  for (int k = 0; ms < 7000; ++k) {
    const double grams = std::round((motor((ms - 1000) / 1000.0, k) / kGo * 1000.0 + 35.0) * 100.0) / 100.0;
    records.emplace_back(ms, grams);
    ms += k % 2 == 0 ? 12 : 13;
  }
  return records;
}

// The logger's records as a file: the header, the separator and line end
// given, grams with a decimal comma or point.
Log logger_file(const std::string& name, const std::string& header, char separator, bool decimal_comma,
                const std::string& line_end) {
  Log log{name, header + line_end, {}, {}};
  char line[64];
  for (const auto& [ms, g] : logger_records()) {
    std::snprintf(line, sizeof line, "%ld%c%.2f", ms, separator, g);
    std::string text = line;
    if (decimal_comma) text.replace(text.find('.'), 1, ",");
    log.text += text + line_end;
    log.stamps.push_back({(ms - 1000) / 1000.0, g * kGo / 1000.0});
  }
  return log;
}

Log comma_with_header() { return logger_file("ensaio1.csv", "time_ms,weight_g", ',', false, "\n"); }
Log spreadsheet() { return logger_file("planilha.csv", "time_ms;weight_g", ';', true, "\r\n"); }

Log epoch_kgf() {
  Log log{"balanca.txt", "", {"--tempo", "epoch", "--empuxo", "kgf"}, {}};
  char line[64];
  int k = 0;
  for (long ms = 0; ms <= 6000; ms += 10, ++k) {
    const double kgf = std::round((motor(ms / 1000.0, k) / kGo + 0.035) * 1e6) / 1e6;
    std::snprintf(line, sizeof line, "%.3f\t%.6f\n", 1765000000.0 + ms / 1000.0, kgf);
    log.text += line;
    log.stamps.push_back({ms / 1000.0, kgf * kGo});
  }
  return log;
}

// A DAQ channel in counts, one per line at 1 kHz: (counts - 8000) x 0.002 N.
Log raw_channel() {
  Log log{"canal.txt", "", {"--fator", "0.002", "--deslocamento", "8000", "--taxa", "1000"}, {}};
  for (int k = 0; k <= 6000; ++k) {
    const long counts = std::lround(motor(k / 1000.0, k) / 0.002 + 8000.0);
    log.text += std::to_string(counts) + "\n";
    log.stamps.push_back({k / 1000.0, (counts - 8000) * 0.002});
  }
  return log;
}

TEST_F(Import, FourDialectsGiveTheImpulseOfTheMeasuredStamps) {
  for (const Log& log : {comma_with_header(), spreadsheet(), epoch_kgf(), raw_channel()}) {
    SCOPED_TRACE(log.name);
    e2e::CaseDir dir;
    dir.write(log.name, log.text);
    std::vector<std::string> args = {log.name, "--massa", "0.0625", "--saida", "."};
    args.insert(args.end(), log.options.begin(), log.options.end());
    const e2e::RunResult imported = importar(dir, args);
    ASSERT_EQ(imported.exit_status, 0) << imported.out << imported.err;
    EXPECT_TRUE(has(imported.out, "os dois concordam em 0.1 %")) << imported.out;
    const double tare = number_after(imported.out, "tara: ");

    const std::string stem = log.name.substr(0, log.name.find('.'));
    const auto params = lines_of(dir.read(stem + "_caso.txt"));
    ASSERT_EQ(params.size(), 12u);
    EXPECT_EQ(params[0].substr(0, stem.size() + 6), "'" + stem + ".dat'");
    const double ti = std::strtod(params[1].c_str(), nullptr);
    const double tf = std::strtod(params[2].c_str(), nullptr);
    EXPECT_NEAR(ti, 2.0, 0.05);
    EXPECT_NEAR(tf, 3.2, 0.05);

    const e2e::RunResult run = dir.run();
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::string report = dir.read(stem + "_saida_A.txt");
    const double It = report_figure(report, "impulso total real");
    const double expected = trapezoid(log.stamps, tare, ti, tf);
    EXPECT_NEAR(It, expected, 0.001 * expected) << imported.out;
    // The report's own figure of the grid is the program's.
    EXPECT_NEAR(It, number_after(imported.out, "tempos medidos, "), 0.0005);
  }
}

TEST_F(Import, UnitsFromTheHeaderAreSaidWithTheirSource) {
  e2e::CaseDir dir;
  const Log log = comma_with_header();
  dir.write(log.name, log.text);
  const e2e::RunResult r = importar(dir, {log.name, "--massa", "0.0625", "--saida", "caso"});
  ASSERT_EQ(r.exit_status, 0) << r.err;
  EXPECT_TRUE(has(r.out, "tempo: coluna 1, em ms (do cabeçalho \"time_ms\")")) << r.out;
  EXPECT_TRUE(has(r.out, "empuxo: coluna 2, em g (do cabeçalho \"weight_g\")"));
  // 12 and 13 ms in turn: 80 records a second over the burn.
  EXPECT_TRUE(has(r.out, "a taxa do registro é inteira: w = 80 Hz")) << r.out;
  EXPECT_NEAR(number_after(r.out, "tara: "), 35.0 * kGo / 1000.0, 0.001);
}

// The import's closing hint, run as printed from where the user is (a folder
// with a blank, the program reached by its full path), evaluates the case;
// what the import found is in the case, for Notepad and for scripts.
TEST_F(Import, TheHintRunsAsPrintedAndTheFindingsStayInTheCase) {
  e2e::CaseDir dir;
  const Log log = spreadsheet();
  dir.write(log.name, log.text);
  const e2e::RunResult r = importar(dir, {log.name, "--massa", "0.0625", "--saida", "meu caso"});
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  const std::string hint =
      r.out.substr(r.out.find("Para avaliar: ") + 14,
                   r.out.find('\n', r.out.find("Para avaliar: ")) - r.out.find("Para avaliar: ") - 14);
  const e2e::RunResult run = dir.run_typed_command(hint);
  ASSERT_EQ(run.exit_status, 0) << hint << "\n" << run.out << run.err;
  EXPECT_TRUE(has(dir.read("meu caso/planilha_saida_A.txt"), "impulso total real")) << hint;

  const std::string found = dir.read("meu caso/planilha_importacao.txt");
  EXPECT_TRUE(has(found, "tara: ")) << found;
  EXPECT_TRUE(has(found, "N\xB7s pelos tempos medidos")) << found;  // Windows-1252
  EXPECT_EQ(found.find('\n'), found.find("\r\n") + 1);
  const std::string document = dir.read("meu caso/planilha_importacao.json");
  EXPECT_TRUE(has(document, "\"command\": \"import\"")) << document;
  EXPECT_TRUE(has(document, "\"time_origin_s\"")) << document;
}

// The check's hint for a logger's file, its two placeholders filled in,
// runs as typed: the companion by its full path, the file's name quoted.
TEST_F(Import, TheChecksHintToImportRunsAsTyped) {
  e2e::CaseDir dir;
  dir.write("meu log.csv", spreadsheet().text);
  const e2e::RunResult r = dir.run_inspect({"meu log.csv", "--rate", "80"});
  const std::string mark = "para converter o arquivo num caso: ";
  const std::size_t at = r.out.find(mark);
  ASSERT_NE(at, std::string::npos) << r.out;
  std::string hint = r.out.substr(at + mark.size(), r.out.find('\n', at) - at - mark.size());
  hint.replace(hint.find("KG"), 2, "0.0625");
  hint.replace(hint.find("DIR"), 3, "caso");
  const e2e::RunResult run = dir.run_typed_command(hint);
  EXPECT_EQ(run.exit_status, 0) << hint << "\n" << run.out << run.err;
  EXPECT_TRUE(dir.exists("caso/meu_log_caso.txt")) << hint;
}

std::map<std::string, std::string> contents(const std::string& path) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
    if (!entry.is_regular_file()) continue;
    std::FILE* in = std::fopen(entry.path().c_str(), "rb");
    std::string bytes;
    char block[4096];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;) bytes.append(block, n);
    std::fclose(in);
    files[entry.path().lexically_relative(path).string()] = bytes;
  }
  return files;
}

TEST_F(Import, ABadLineIsNamedAndNothingIsWritten) {
  e2e::CaseDir dir;
  std::string text = comma_with_header().text;
  const std::size_t line_57 = [&] {
    std::size_t at = 0;
    for (int i = 1; i < 57; ++i) at = text.find('\n', at) + 1;
    return at;
  }();
  text.replace(line_57, text.find('\n', line_57) - line_57, "1687,34.5g");
  dir.write("ensaio1.csv", text);
  std::filesystem::create_directory(dir.path() + "/caso");
  dir.write("caso/notas.txt", "minhas notas\n");
  const auto before = contents(dir.path());
  const e2e::RunResult r = importar(dir, {"ensaio1.csv", "--massa", "0.0625", "--saida", "caso"});
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(has(r.err, "linha 57: \"1687,34.5g\"; esperado: 2 campos separados por vírgula")) << r.err;
  EXPECT_TRUE(has(r.err, "nada foi escrito"));
  EXPECT_EQ(contents(dir.path()), before);
}

TEST_F(Import, FilesOfTheCaseAreReplacedOnlyWhenAskedAndTheLogNever) {
  e2e::CaseDir dir;
  const Log log = comma_with_header();
  dir.write(log.name, log.text);
  dir.write("talvironeska_2p1_curva_F-t.gnu", "set terminal png\n");
  const auto before = contents(dir.path());
  const std::vector<std::string> args = {log.name, "--massa", "0.0625", "--saida", "."};
  e2e::RunResult r = importar(dir, args);
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_TRUE(has(r.err, "talvironeska_2p1_curva_F-t.gnu já existe")) << r.err;
  EXPECT_EQ(contents(dir.path()), before);

  std::vector<std::string> replacing = args;
  replacing.push_back("--substituir");
  r = importar(dir, replacing);
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_TRUE(has(dir.read("talvironeska_2p1_curva_F-t.gnu"), "set ylabel 'F [N]'"));

  // The log itself, reached through a link named as the case's thrust data file.
  std::filesystem::create_symlink(log.name, dir.path() + "/alias.dat");
  replacing.insert(replacing.end(), {"--caso", "alias"});
  r = importar(dir, replacing);
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_TRUE(has(r.err, "alias.dat é o próprio registro")) << r.err;
  EXPECT_EQ(dir.read(log.name), log.text);
  EXPECT_FALSE(dir.exists("alias_caso.txt"));
}

// --substituir that cannot give every new file its name (here a folder
// holds the name the old parameter file would move aside to) leaves the old
// case whole and says so; a Windows device name is no case name.
TEST_F(Import, AFailedReplacementLeavesTheOldCaseWhole) {
  e2e::CaseDir dir;
  const Log log = comma_with_header();
  dir.write(log.name, log.text);
  const std::vector<std::string> args = {log.name, "--massa", "0.0625", "--saida", "caso", "--caso", "e1"};
  ASSERT_EQ(importar(dir, args).exit_status, 0);
  const auto before = contents(dir.path() + "/caso");
  std::filesystem::create_directories(dir.path() + "/caso/e1_caso.txt.importar-antigo/ocupada");
  const std::vector<std::string> replacing = {log.name, "--massa", "0.07", "--saida",
                                              "caso",   "--caso",  "e1",   "--substituir"};
  const e2e::RunResult r = importar(dir, replacing);
  EXPECT_EQ(r.exit_status, 2) << r.out << r.err;
  EXPECT_TRUE(has(r.err, "o caso que havia na pasta ficou como estava")) << r.err;
  auto after = contents(dir.path() + "/caso");
  after.erase("e1_caso.txt.importar-antigo");
  EXPECT_EQ(after, before);

  for (const char* device : {"nul", "COM1", "aux.txt"}) {
    const e2e::RunResult d = importar(dir, {log.name, "--massa", "0.07", "--saida", "outro", "--caso", device});
    EXPECT_EQ(d.exit_status, 2) << device;
    EXPECT_TRUE(has(d.err, "dispositivo do Windows")) << device << d.err;
    EXPECT_FALSE(dir.exists("outro")) << device;
  }
}

// A log the grid would blow up: one late line after 3 s at 1 kHz, and
// stamps in microseconds read as seconds. Each is refused at once, naming
// why, with nothing written and little memory taken.
TEST_F(Import, ALogWhoseGridWouldBlowUpIsRefused) {
  std::string gapped = "t_s,F_N\n";
  std::string micro = "t,F_N\n";
  for (int k = 0; k <= 3000; ++k) {
    const double F = k > 500 && k < 2500 ? 20.0 : 0.0;
    gapped += std::to_string(k / 1000.0) + "," + std::to_string(F) + "\n";
    micro += std::to_string(k * 1000) + "," + std::to_string(F) + "\n";
  }
  gapped += "20000,0\n";
  const struct {
    const char* name;
    std::string text;
    std::vector<std::string> more;
    const char* said;
  } cases[] = {
      {"lacuna.csv", gapped, {}, "a maior lacuna vai da linha 3002 (3 s) à linha 3003 (20000 s)"},
      {"micro.csv", micro, {"--tempo", "s"}, "com os tempos em us ela seria 1000 Hz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::CaseDir dir;
    dir.write(c.name, c.text);
    std::vector<std::string> args = {c.name, "--massa", "0.05", "--saida", "caso"};
    args.insert(args.end(), c.more.begin(), c.more.end());
    const auto started = std::chrono::steady_clock::now();
    const e2e::RunResult r = importar(dir, args);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(r.exit_status, 2) << r.out << r.err;
    EXPECT_TRUE(has(r.err, c.said)) << r.err;
    EXPECT_TRUE(has(r.err, "nada foi escrito")) << r.err;
    EXPECT_FALSE(dir.exists("caso"));
    // And within 300 MB: the same run with that much address space at most
    // (not under a sanitizer, whose shadow memory takes far more, nor wine).
    if (!kSanitized && !e2e::windows_run()) {
      std::string shell =
          "ulimit -v 300000 && exec \"$0\" importar " + std::string(c.name) + " --massa 0.05 --saida caso";
      for (const std::string& more : c.more) shell += " " + more;
      const e2e::RunResult limited = dir.run_program({"/bin/sh", "-c", shell, TALVIRONESKA_INSPECT_BIN});
      EXPECT_TRUE(has(limited.err, c.said)) << limited.err;
    }
  }
}

TEST_F(Import, MissingMassOrUnitsStopWithAMessage) {
  e2e::CaseDir dir;
  dir.write("balanca.txt", epoch_kgf().text);
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"balanca.txt", "--saida", "c", "--tempo", "epoch", "--empuxo", "kgf"}, "falta --massa KG"},
      {{"balanca.txt", "--saida", "c", "--massa", "0.1", "--empuxo", "kgf"}, "dê --tempo s, ms, us ou epoch"},
      {{"balanca.txt", "--saida", "c", "--massa", "0.1", "--tempo", "epoch"}, "dê --empuxo N, g, kg, kgf ou lbf"},
      {{"balanca.txt", "--saida", "c", "--massa", "0.1", "--taxa", "100", "--empuxo", "N"},
       "2 colunas e nenhuma de tempo"},
  };
  for (const auto& c : cases) {
    const e2e::RunResult r = importar(dir, c.args);
    EXPECT_EQ(r.exit_status, 2) << c.message;
    EXPECT_TRUE(has(r.err, c.message)) << r.err;
    EXPECT_FALSE(dir.exists("c"));
  }
}

// Seconds and newtons, RATE records a second for DURATION s: a burn of PEAK
// newtons from IGNITION lasting LENGTH s (0.1 s rise, then a straight fall
// to half of it, then to zero in the last tenth), on a zero of ZERO, with
// READING at record SPIKE when given.
std::string seconds_newtons(int rate, double duration, double ignition, double length, double peak, double zero,
                            int spike = -1, double reading = 0.0) {
  std::string text;
  for (int k = 0; k < duration * rate; ++k) {
    const double s = static_cast<double>(k) / rate - ignition;
    double F = 0.0;
    if (s > 0.0 && s < 0.1) F = peak * s / 0.1;
    if (s >= 0.1 && s < 0.9 * length) F = peak * (1.0 - 0.5 * (s - 0.1) / (0.9 * length - 0.1));
    if (s >= 0.9 * length && s < length) F = 0.5 * peak * (length - s) / (0.1 * length);
    char line[64];
    std::snprintf(line, sizeof line, "%.4f %.4f\n", static_cast<double>(k) / rate,
                  k == spike ? reading : zero + F + 0.01 * std::sin(1.7 * k));
    text += line;
  }
  return text;
}

// Logs on which the import once found no burn, or the wrong one: the
// window is the burn's, whatever else the log holds.
TEST_F(Import, TheWindowIsTheBurnsOnMessyLogs) {
  const struct {
    const char* name;
    std::string log;
    double ti;         // s, within 0.01 s: the 5 % crossings, not a spike's millisecond
    double tf;         // within 0.05 s
    const char* said;  // in the report; empty for nothing
  } cases[] = {
      // One reading 4 times the peak, long before ignition.
      {"um pico espúrio", seconds_newtons(1000, 8, 3.0, 2.0, 100.0, 0.0, 1000, 400.0), 3.0, 5.0,
       "1 leitura espúria posta de lado"},
      // 0.5 kg left on the cell: a zero of 4.9 N.
      {"carga na célula", seconds_newtons(100, 8, 3.0, 2.0, 30.0, 4.903), 3.0, 5.0, "tara: 4.903 N"},
      // Only 0.3 s before a 9 s burn.
      {"pouco antes da ignição", seconds_newtons(1000, 10, 0.3, 9.0, 60.0, 0.2), 0.3, 9.21, "tara: 0.200 N"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::CaseDir dir;
    dir.write("ensaio.txt", c.log);
    const e2e::RunResult r =
        importar(dir, {"ensaio.txt", "--tempo", "s", "--empuxo", "N", "--massa", "0.05", "--saida", "caso"});
    ASSERT_LE(r.exit_status, 1) << r.out << r.err;
    EXPECT_NEAR(number_after(r.out, "ti = "), c.ti, 0.01) << r.out;
    EXPECT_NEAR(number_after(r.out, "tf = "), c.tf, 0.05) << r.out;
    EXPECT_TRUE(has(r.out, c.said)) << r.out;
    // A spike set aside is not written: the case holds the line around it.
    double highest = -INFINITY;
    for (const std::string& line : lines_of(dir.read("caso/ensaio.dat"))) {
      double t = 0.0;
      double F = 0.0;
      if (std::sscanf(line.c_str(), "%lf %lf", &t, &F) == 2) highest = std::max(highest, F);
    }
    EXPECT_LT(highest, 101.0) << c.name;
  }
}

// A cell wired the other way is named, and nothing written; --inverter reads
// it mirrored.
TEST_F(Import, AnInvertedCellIsNamedAndReadMirroredWhenAsked) {
  e2e::CaseDir dir;
  dir.write("ensaio.txt", seconds_newtons(100, 8, 3.0, 2.0, -30.0, 0.0));
  const std::vector<std::string> args = {"ensaio.txt", "--tempo", "s",       "--empuxo", "N",
                                         "--massa",    "0.05",    "--saida", "caso"};
  const e2e::RunResult refused = importar(dir, args);
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_TRUE(has(refused.err, "uma queima abaixo do zero")) << refused.err;
  EXPECT_FALSE(dir.exists("caso"));
  std::vector<std::string> mirrored = args;
  mirrored.push_back("--inverter");
  const e2e::RunResult read = importar(dir, mirrored);
  EXPECT_EQ(read.exit_status, 0) << read.out << read.err;
  EXPECT_NEAR(number_after(read.out, "ti = "), 3.0, 0.01) << read.out;
  EXPECT_TRUE(has(read.out, "classe F")) << read.out;
}

// The team's logger file of an L1420R firing (tests/data/real/olemiss-l1420r):
// one lbf value per line at 2 kHz, an offset that drifts.
TEST_F(Import, RealL1420RecordingMatchesItsTaredConversion) {
  e2e::CaseDir dir;
  dir.write("Force_Test2.csv", e2e::source_file("tests/data/real/olemiss-l1420r/Force_Test2.csv"));
  e2e::RunResult r = importar(
      dir, {"Force_Test2.csv", "--empuxo", "lbf", "--taxa", "2000", "--massa", "2.560", "--saida", "importado"});
  // The zero moves by 46.5 N across the burn: said, and left to --deriva.
  ASSERT_EQ(r.exit_status, 1) << r.out << r.err;
  EXPECT_TRUE(has(r.out, "AVISO: o zero muda 46.546 N da ignição ao fim da queima")) << r.out;
  EXPECT_TRUE(has(r.out, "a taxa do registro é inteira: w = 2000 Hz")) << r.out;

  // Both cases over the window the source suggests.
  auto params = lines_of(dir.read("importado/Force_Test2_caso.txt"));
  params.resize(12);
  params[1] = "5.3845";
  params[2] = "8.6695";
  std::string edited;
  for (const std::string& line : params) edited += line + "\r\n";
  dir.write("importado/Force_Test2_caso.txt", edited);
  e2e::CaseDir imported_run;
  for (const char* name : {"talvironeska_2p1_dados_geral.txt", "Force_Test2_caso.txt", "Force_Test2.dat",
                           "talvironeska_2p1_curva_F-t.gnu"}) {
    imported_run.write(name, dir.read(std::string("importado/") + name));
  }
  ASSERT_EQ(imported_run.run().exit_status, 0);
  const double It = report_figure(imported_run.read("Force_Test2_saida_A.txt"), "impulso total real");

  e2e::CaseDir tared_run;
  e2e::CaseFiles files;
  files.original = "'l1420r_test2_tared.dat'";
  files.ti = "5.3845";
  files.tf = "8.6695";
  files.M = "2.560";
  files.w = "2000";
  files.nmax = "10000";
  files.case_name = "l1420r_t2";
  files.thrust_file = "l1420r_test2_tared.dat";
  files.thrust_data = e2e::source_file("tests/data/real/olemiss-l1420r/l1420r_test2_tared.dat");
  tared_run.write_valid_case(files);
  ASSERT_EQ(tared_run.run().exit_status, 0);
  const double It_tared = report_figure(tared_run.read("l1420r_t2_saida_A.txt"), "impulso total real");
  EXPECT_NEAR(It_tared, 4936.855, 0.001);
  EXPECT_NEAR(It, It_tared, 0.005 * It_tared);

  // With the drift: the zero before and after as the source measured them.
  r = importar(dir, {"Force_Test2.csv", "--empuxo", "lbf", "--taxa", "2000", "--massa", "2.560", "--deriva", "--saida",
                     "deriva"});
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_NEAR(number_after(r.out, "antes da ignição: "), -80.6, 5.0) << r.out;
  EXPECT_NEAR(number_after(r.out, "depois da queima: "), -35.1, 5.0);
  EXPECT_TRUE(has(r.out, "(--deriva)"));
}

TEST_F(Import, TheCompanionPointsToTheImportForASpreadsheetFile) {
  e2e::CaseDir dir;
  dir.write("planilha.csv", spreadsheet().text);
  const e2e::RunResult r = dir.run_inspect({"planilha.csv"});
  EXPECT_TRUE(has(r.out, " importar planilha.csv --massa KG --saida DIR")) << r.out;
}

}  // namespace

namespace {

// calibrar on a table of masses, then importar --calibracao: the case's
// thrusts are the table's line applied to the raw readings, and the case
// keeps the .cal byte for byte.
TEST_F(Import, ACalibrationTableScalesTheRawLogAndGoesWithTheCase) {
  e2e::CaseDir dir;
  // reading = 1000 + 40000 x kg, slightly bowed, loaded then unloaded.
  std::string table = "massa_g;leitura\r\n";
  for (int g : {0, 500, 1000, 2000, 3000, 2000, 1000, 500, 0}) {
    for (int r = 0; r < 3; ++r) {
      const double reading = 1000.0 + 40.0 * g + 1e-4 * g * g / 3000.0 + (r - 1) * 0.5;
      table +=
          std::to_string(g) + ";" + std::to_string(reading).replace(std::to_string(reading).find('.'), 1, ",") + "\r\n";
    }
  }
  dir.write("tabela.csv", table);
  e2e::RunResult r = dir.run_inspect({"calibrar", "tabela.csv", "--cal", "celula.cal"});
  ASSERT_EQ(r.exit_status, 0) << r.err << r.out;
  const std::string cal = dir.read("celula.cal");
  EXPECT_TRUE(has(cal, "\r\nb = ")) << cal;
  EXPECT_TRUE(has(cal, "Calibra\xE7\xE3o")) << cal;
  const double b = std::strtod(cal.c_str() + cal.find("\r\nb = ") + 6, nullptr);
  EXPECT_NEAR(b, kGo / 1000.0 / 40.0, 1e-5 * kGo / 40000.0);  // the bow moves it a little

  // Written again only with --substituir; never over the table.
  r = dir.run_inspect({"calibrar", "tabela.csv", "--cal", "celula.cal"});
  EXPECT_EQ(r.exit_status, 2);
  r = dir.run_inspect({"calibrar", "tabela.csv", "--cal", "./tabela.csv", "--substituir"});
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(dir.read("tabela.csv"), table);

  std::string log = "time_ms;raw\r\n";
  for (int k = 0; k < 800; ++k) {
    const double t = k * 0.01;
    const double kg = (t > 2.0 && t < 3.0) ? 3.0 * std::sin(M_PI * (t - 2.0)) : 0.0;
    log += std::to_string(k * 10) + ";" + std::to_string(1000.0 + 40000.0 * kg) + "\r\n";
  }
  dir.write("bruto.csv", log);
  r = importar(dir, {"bruto.csv", "--massa", "0.02", "--saida", "caso", "--calibracao", "celula.cal"});
  ASSERT_LE(r.exit_status, 1) << r.err << r.out;
  EXPECT_EQ(dir.read("caso/bruto_calibracao.cal"), cal);
  double peak = 0.0;
  for (const std::string& line : lines_of(dir.read("caso/bruto.dat"))) {
    if (!line.empty()) peak = std::max(peak, std::strtod(line.c_str() + line.find(' '), nullptr));
  }
  EXPECT_NEAR(peak, 3.0 * kGo, 0.01);

  // What the calibration gives is not given again beside it.
  for (const char* other : {"--fator", "--u-fator", "--nao-linearidade"}) {
    r = importar(dir, {"bruto.csv", "--massa", "0.02", "--saida", "c2", "--calibracao", "celula.cal", other, "2"});
    EXPECT_EQ(r.exit_status, 2) << other;
    EXPECT_FALSE(dir.exists("c2")) << other;
  }
  for (const char* other : {"--u-fator", "--nao-linearidade"}) {
    r = dir.run_inspect({"bruto.csv", "--calibracao", "celula.cal", other, "2"});
    EXPECT_EQ(r.exit_status, 2) << other;
    EXPECT_NE(r.err.find("a calibração os dá"), std::string::npos) << r.err;
  }
}

// A .cal file edited by hand: as an editor leaves it (a byte order mark,
// lone CRs), it is read and the case keeps it as it is; broken, nothing is
// written. A table whose slope is lost in its noise gives no .cal at all.
TEST_F(Import, AHandEditedCalibrationIsReadOrRefusedWhole) {
  e2e::CaseDir dir;
  dir.write("tabela.csv", e2e::cell_table(1));
  ASSERT_EQ(dir.run_inspect({"calibrar", "tabela.csv", "--cal", "celula.cal"}).exit_status, 0);
  const std::string cal = dir.read("celula.cal");
  dir.write("bruto.csv", e2e::raw_burn_log());
  std::string lone_cr = cal;
  for (std::size_t at = lone_cr.find("\r\n"); at != std::string::npos; at = lone_cr.find("\r\n", at)) {
    lone_cr.erase(at + 1, 1);
  }
  std::string negative = cal;
  const std::size_t nl = negative.find("nao_linearidade = ") + 18;
  negative.insert(nl, "-");
  const struct {
    const char* name;
    std::string text;
    bool read;
  } cases[] = {
      {"editor.cal", "\xEF\xBB\xBF" + lone_cr, true},
      {"twice.cal", cal + "b = 1\r\n", false},
      {"negative.cal", negative, false},
  };
  for (const auto& c : cases) {
    dir.write(c.name, c.text);
    const std::string folder = std::string(c.name) + "_caso";
    const e2e::RunResult r = importar(dir, {"bruto.csv", "--massa", "0.02", "--saida", folder, "--calibracao", c.name});
    if (c.read) {
      ASSERT_LE(r.exit_status, 1) << c.name << r.err << r.out;
      EXPECT_EQ(dir.read(folder + "/bruto_calibracao.cal"), c.text) << c.name;
    } else {
      EXPECT_EQ(r.exit_status, 2) << c.name << r.out;
      EXPECT_TRUE(has(r.err, "nada foi escrito")) << c.name << r.err;
      EXPECT_FALSE(dir.exists(folder)) << c.name;
    }
  }
  dir.write("ruido.csv", "carga_N;leitura\r\n0;100\r\n5;120\r\n10;80\r\n");
  const e2e::RunResult r = dir.run_inspect({"calibrar", "ruido.csv", "--cal", "ruido.cal"});
  EXPECT_EQ(r.exit_status, 2) << r.out;
  EXPECT_FALSE(dir.exists("ruido.cal"));
}

// The budget in the document: the import's, with its calibration, and the
// check's of the case it wrote, which finds the copy; a term not given is
// named, and with every input given U is whole.
TEST_F(Import, TheUncertaintyGoesWithTheCase) {
  e2e::CaseDir dir;
  dir.write("tabela.csv", e2e::cell_table(3));
  ASSERT_EQ(dir.run_inspect({"calibrar", "tabela.csv", "--cal", "celula.cal"}).exit_status, 0);
  dir.write("bruto.csv", e2e::raw_burn_log());
  for (const bool clock : {false, true}) {
    std::vector<std::string> args = {"bruto.csv",    "--massa",    "0.02",   "--saida",       "caso",
                                     "--calibracao", "celula.cal", "--json", "importar.json", "--substituir"};
    if (clock) args.insert(args.end(), {"--u-relogio", "200"});
    const e2e::RunResult r = importar(dir, args);
    ASSERT_LE(r.exit_status, 1) << r.err << r.out;
    const JsonValue d = parse_json(dir.read("importar.json")).value_or(JsonValue{});
    const JsonValue& f = d["firings"][0];
    const JsonValue& u = f["uncertainty"];
    EXPECT_EQ(u["complete"].boolean, clock);
    EXPECT_EQ(u["missing"].array.size(), clock ? 0u : 1u);
    EXPECT_GT(f["burn"]["impulse_U_Ns"].number, 0.0);
    EXPECT_LT(f["burn"]["impulse_U_Ns"].number, 0.03 * f["burn"]["impulse_Ns"].number);
    EXPECT_TRUE(has(r.out, clock ? "incerteza expandida U" : "não informado")) << r.out;
    EXPECT_EQ(u["terms"][0]["name"].string, "calibration");
    EXPECT_GT(u["terms"][0]["u_Ns"].number, 0.0);
  }
  // The check of the case takes the calibration from its copy.
  e2e::CaseDir in_case;
  for (const char* name : {"bruto.dat", "bruto_caso.txt", "bruto_calibracao.cal", e2e::kGeneralDataFile}) {
    in_case.write(name, dir.read(std::string("caso/") + name));
  }
  const e2e::RunResult checked = in_case.run_inspect({"--json", "-", "--u-relogio", "200"});
  const JsonValue c = parse_json(checked.out).value_or(JsonValue{});
  EXPECT_TRUE(c["firings"][0]["uncertainty"]["complete"].boolean) << checked.out << checked.err;
  EXPECT_GT(c["firings"][0]["uncertainty"]["terms"][0]["u_Ns"].number, 0.0);
}

}  // namespace
