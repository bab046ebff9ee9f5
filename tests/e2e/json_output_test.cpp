// talvironeska-inspect --json on each command: the document parses, its
// figures are the report's, the report itself is unchanged (on the standard
// error with --json -), and a run that ends in exit 2 leaves an error object
// and writes over no input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"

#include "../support/json_value.h"

namespace {

class JsonOutput : public ::testing::Test {};

// The number after TEXT in REPORT ("impulso total " -> 61.404).
double number_after(const std::string& report, const std::string& text) {
  const std::size_t at = report.find(text);
  EXPECT_NE(at, std::string::npos) << text << " in\n" << report;
  return at == std::string::npos ? NAN : std::strtod(report.c_str() + at + text.size(), nullptr);
}

JsonValue document(const std::string& text) {
  const std::optional<JsonValue> v = parse_json(text);
  EXPECT_TRUE(v.has_value()) << text;
  return v.value_or(JsonValue{});
}

// VALUE as the report prints it with DECIMALS digits.
double rounded(double value, int decimals) {
  return std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
}

void write_f67w_case(const e2e::CaseDir& dir) {
  for (const char* name : {"f67w.dat", "f67w_caso.txt", e2e::kGeneralDataFile}) {
    dir.write(name, e2e::source_file(std::string("examples/f67w/") + name));
  }
}

TEST_F(JsonOutput, TheCheckGivesTheReportsFiguresAndLeavesTheReportAsItWas) {
  e2e::CaseDir dir;
  write_f67w_case(dir);
  const e2e::RunResult plain = dir.run_inspect({});
  const e2e::RunResult to_file = dir.run_inspect({"--json", "saida.json"});
  const e2e::RunResult to_stdout = dir.run_inspect({"--json", "-"});
  ASSERT_EQ(plain.exit_status, 0) << plain.out << plain.err;
  EXPECT_EQ(to_file.exit_status, 0);
  EXPECT_EQ(to_stdout.exit_status, 0);
  EXPECT_EQ(to_file.out, plain.out);
  // The report goes to the standard error (after what wine may say there).
  EXPECT_TRUE(to_stdout.err.ends_with(plain.out)) << to_stdout.err;
  EXPECT_EQ(to_stdout.out, dir.read("saida.json"));

  const JsonValue d = document(to_stdout.out);
  EXPECT_EQ(d["version"].number, 1.0);
  EXPECT_EQ(d["command"].string, "check");
  ASSERT_EQ(d["firings"].array.size(), 1u);
  const JsonValue& f = d["firings"][0];
  EXPECT_EQ(f["source"].string, "f67w.dat");
  const JsonValue& burn = f["burn"];
  EXPECT_EQ(rounded(burn["impulse_Ns"].number, 3), number_after(plain.out, "impulso total "));
  EXPECT_EQ(rounded(burn["average_thrust_N"].number, 3), number_after(plain.out, "empuxo médio "));
  EXPECT_EQ(rounded(burn["start_s"].number, 4), number_after(plain.out, "\n  início "));
  EXPECT_EQ(rounded(burn["peak_N"].number, 3), number_after(plain.out, "empuxo máximo "));
  EXPECT_EQ(burn["class"].string, "F");
  EXPECT_EQ(burn["designation"].string, "F66");
  EXPECT_EQ(f["w"].number, 500.0);
  EXPECT_EQ(f["events"].array.size(), 2u);
  // On the case's window, as the program will print them.
  const JsonValue& program = f["program"];
  EXPECT_EQ(program["ti_s"].number, 2.126);
  EXPECT_EQ(program["tf_s"].number, 3.05);
  EXPECT_EQ(program["nc"].number, 463.0);
  EXPECT_EQ(rounded(program["It_Ns"].number, 3), number_after(plain.out, "It = "));
  EXPECT_EQ(rounded(program["Fmed_N"].number, 3), number_after(plain.out, "Fmed = "));
  EXPECT_EQ(rounded(program["tmax_s"].number, 3), number_after(plain.out, "tmax = "));
  EXPECT_EQ(program["classe"].string, "F");
}

// A burn of 5 kg for a second, a sine, logged every 2 ms by an epoch stamp
// in ms: zero before and after, with an offset of 12 g.
std::string epoch_log() {
  std::string text = "time_ms,weight_g\n";
  for (int i = 0; i < 3000; ++i) {
    const double x = i * 0.002;
    const double F = x >= 2.0 && x <= 3.0 ? 5000.0 * std::sin(M_PI * (x - 2.0)) : 0.0;
    char line[64];
    std::snprintf(line, sizeof line, "%lld,%.2f\n", 1700000000000LL + 2LL * i, F + 12.0);
    text += line;
  }
  return text;
}

TEST_F(JsonOutput, TheImportGivesTheLogsStampsAndTheCaseItWrote) {
  e2e::CaseDir dir;
  dir.write("registro.csv", epoch_log());
  const e2e::RunResult r =
      dir.run_inspect({"importar", "registro.csv", "--massa", "0.05", "--saida", "caso", "--json", "importar.json"});
  ASSERT_EQ(r.exit_status, 0) << r.out << r.err;
  const JsonValue d = document(dir.read("importar.json"));
  EXPECT_EQ(d["command"].string, "import");
  ASSERT_EQ(d["firings"].array.size(), 1u);
  const JsonValue& f = d["firings"][0];
  EXPECT_EQ(f["source"].string, "registro.csv");
  EXPECT_EQ(f["time_origin_s"].number, 1700000000.0);
  // The burn on the log's stamps: 2 s after the first one.
  EXPECT_NEAR(f["burn"]["peak_time_s"].number - f["time_origin_s"].number, 2.5, 0.002);
  EXPECT_EQ(f["burn"]["class"].string, "E");
  EXPECT_EQ(f["w"].number, number_after(r.out, "w = "));  // the case's rate

  // The program's figures on the case written, as the check of that case gives them.
  const JsonValue& program = f["program"];
  EXPECT_EQ(program["ti_s"].number, number_after(r.out, "ti = "));
  EXPECT_EQ(program["tf_s"].number, number_after(r.out, "tf = "));
  e2e::CaseDir again;
  for (const char* name : {"registro.dat", "registro_caso.txt", e2e::kGeneralDataFile}) {
    again.write(name, dir.read(std::string("caso/") + name));
  }
  const e2e::RunResult check = again.run_inspect({"--json", "-"});
  // The document kept whole: a reference into a temporary one would dangle.
  const JsonValue checked_document = document(check.out);
  const JsonValue& checked = checked_document["firings"][0]["program"];
  for (const char* key : {"ti_s", "tf_s", "nc", "It_Ns", "Fmed_N", "tq_s", "Fmax_N", "tmax_s", "Fmin_N", "Is_s"}) {
    EXPECT_EQ(program[key].number, checked[key].number) << key;
  }
  EXPECT_EQ(program["classe"].string, checked["classe"].string);
}

// A trapezoid of 30 N * FACTOR for 1.55 s from 0.5 s, at 1000 Hz.
std::string trapezoid(double factor) {
  std::string text;
  for (int k = 0; k <= 2600; ++k) {
    const double s = k / 1000.0 - 0.5;
    const double F = s <= 0.0 || s >= 1.6 ? 0.0 : s < 0.05 ? s / 0.05 : s > 1.55 ? (1.6 - s) / 0.05 : 1.0;
    char line[64];
    std::snprintf(line, sizeof line, "%.6f %.6f\n", k / 1000.0, 30.0 * factor * F);
    text += line;
  }
  return text;
}

TEST_F(JsonOutput, TheSeriesGivesEachFiringInOrderAndItsStatistics) {
  e2e::CaseDir dir;
  const double factors[] = {1.02, 0.98, 1.0};
  std::vector<std::string> args = {"serie"};
  for (int i = 0; i < 3; ++i) {
    const std::string name = "ensaio" + std::to_string(i + 1) + ".dat";
    dir.write(name, trapezoid(factors[i]));
    args.push_back(name);
  }
  for (const char* word : {"--massa", "0.04", "--saida", "serie", "--json", "-"}) args.push_back(word);
  const e2e::RunResult r = dir.run_inspect(args, std::chrono::seconds(60));
  ASSERT_LE(r.exit_status, 1) << r.out << r.err;
  const JsonValue d = document(r.out);
  EXPECT_EQ(d["command"].string, "series");
  ASSERT_EQ(d["firings"].array.size(), 3u);
  double sum = 0.0;
  for (std::size_t i = 0; i < 3; ++i) {
    const JsonValue& f = d["firings"][i];
    EXPECT_EQ(f["source"].string, "ensaio" + std::to_string(i + 1) + ".dat");
    EXPECT_NEAR(f["burn"]["impulse_Ns"].number, 46.5 * factors[i], 0.05) << i;
    EXPECT_FALSE(f["program"].is_null()) << i;
    sum += f["program"]["It_Ns"].number;
  }
  const JsonValue& s = d["series"];
  EXPECT_EQ(s["count"].number, 3.0);
  EXPECT_NEAR(s["program"]["It_Ns"]["mean"].number, sum / 3.0, 1e-9 * sum);
  EXPECT_GT(s["program"]["It_Ns"]["sample_sd"].number, s["program"]["It_Ns"]["population_sd"].number);
  ASSERT_EQ(s["checks"].array.size(), 6u);
  EXPECT_EQ(s["checks"][0]["check"].string, "impulse-spread");
  EXPECT_EQ(s["checks"][0]["limit"].number, 0.067);
  EXPECT_EQ(s["checks"][0]["result"].string, "passed");
  bool passed = true;
  for (const JsonValue& check : s["checks"].array) passed = passed && check["result"].string != "failed";
  EXPECT_EQ(s["passed"].boolean, passed);
  // The report on the standard error, as serie.txt says it.
  EXPECT_NE(r.err.find("Resultado = "), std::string::npos) << r.err;
}

TEST_F(JsonOutput, AnUnusableInputLeavesAnErrorObjectAndNoFirings) {
  const struct {
    std::vector<std::string> args;
    const char* code;
  } runs[] = {
      {{"zeros.dat", "--json", "saida.json"}, "no-burn"},
      {{"zeros.dat", "--evento", "x", "--json", "saida.json"}, "usage"},
      {{"nada.dat", "--json", "saida.json"}, "severe-29"},
      {{"importar", "nada.csv", "--massa", "1", "--saida", "c", "--json", "saida.json"}, "unreadable-log"},
      {{"importar", "--json", "saida.json"}, "usage"},
      {{"serie", "zeros.dat", "nada.dat", "--json", "saida.json"}, "unusable-firing"},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.code);
    e2e::CaseDir dir;
    dir.write("zeros.dat", "0 0\n0.1 0\n0.2 0\n0.3 0\n");
    dir.write("saida.json", "{\"version\": 1, \"firings\": [\"de uma execução anterior\"]}\n");
    const e2e::RunResult r = dir.run_inspect(run.args);
    EXPECT_EQ(r.exit_status, 2) << r.out << r.err;
    const JsonValue d = document(dir.read("saida.json"));
    EXPECT_EQ(d["error"]["code"].string, run.code);
    EXPECT_FALSE(d["error"]["text"].string.empty());
    EXPECT_NE(r.err.find(d["error"]["text"].string), std::string::npos) << r.err;
    EXPECT_EQ(d["firings"].kind, JsonValue::Kind::array);
    EXPECT_TRUE(d["firings"].array.empty());
  }
}

TEST_F(JsonOutput, TheDocumentIsNeverWrittenOverAnInput) {
  const std::vector<std::string> runs[] = {
      {"f67w.dat", "--json", "f67w.dat"},
      {"--json", "f67w_caso.txt"},
      {"--json", "f67w_caso.txt", "--bogus"},
      {"importar", "f67w.dat", "--massa", "1", "--saida", ".", "--json", "f67w.dat"},
      {"importar", "f67w.dat", "--massa", "1", "--saida", "c", "--json", "c/f67w_caso.txt"},
      {"serie", "f67w.dat", "f67w.dat", "--json", "f67w.dat"},
      {"serie", "f67w.dat", "nada.dat", "--json", "f67w.dat"},
      {"serie", ".", ".", "--json", "f67w_caso.txt"},  // a case's file, known once the case is read
  };
  for (const auto& args : runs) {
    SCOPED_TRACE(args.back());
    e2e::CaseDir dir;
    write_f67w_case(dir);
    const auto before = dir.snapshot();
    const e2e::RunResult r = dir.run_inspect(args);
    EXPECT_EQ(r.exit_status, 2) << r.out << r.err;
    EXPECT_TRUE(dir.snapshot() == before) << r.err;
  }
}

// A report lost on the standard output is a failure, and the document says
// so; a link is written through, a device straight.
TEST_F(JsonOutput, ALostReportIsAnErrorAndLinksAndDevicesAreWrittenThrough) {
  if (e2e::windows_inspect_run()) GTEST_SKIP() << "the shell's redirections and /dev are the POSIX binary's";
  const char* runs[] = {
      "exec \"$0\" f67w.dat --json saida.json >/dev/full",
      "exec \"$0\" importar f67w.dat --tempo s --empuxo N --massa 0.05 --saida c --json saida.json >&-",
      // One log given twice is refused: the second firing is a copy of it.
      "cp f67w.dat copia.dat && exec \"$0\" serie f67w.dat copia.dat --saida s --json saida.json >/dev/full",
  };
  for (const char* shell : runs) {
    SCOPED_TRACE(shell);
    e2e::CaseDir dir;
    write_f67w_case(dir);
    const e2e::RunResult r = dir.run_program({"/bin/sh", "-c", shell, TALVIRONESKA_INSPECT_BIN});
    EXPECT_EQ(r.exit_status, 2) << r.err;
    EXPECT_EQ(document(dir.read("saida.json"))["error"]["code"].string, "report-lost");
  }
  e2e::CaseDir dir;
  write_f67w_case(dir);
  const e2e::RunResult to_device = dir.run_inspect({"f67w.dat", "--json", "/dev/stderr"});
  EXPECT_EQ(to_device.exit_status, 0);
  EXPECT_EQ(document(to_device.err)["firings"][0]["source"].string, "f67w.dat");
  std::filesystem::create_symlink("resultado.json", dir.path() + "/ligacao.json");
  EXPECT_EQ(dir.run_inspect({"f67w.dat", "--json", "ligacao.json"}).exit_status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() + "/ligacao.json"));
  EXPECT_EQ(document(dir.read("resultado.json"))["command"].string, "check");
}

}  // namespace
