// A firing, and a series' mean, laid over a published curve (--referencia):
// the comparison in the report and in the JSON document, the curve in the
// series' picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness.h"

#include "../support/json_value.h"

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

JsonValue document(const std::string& text) {
  const std::optional<JsonValue> v = parse_json(text);
  EXPECT_TRUE(v.has_value()) << text;
  return v.value_or(JsonValue{});
}

// ENG with every thrust divided by DIVISOR.
std::string scaled_eng(const std::string& eng, double divisor) {
  std::string out;
  bool header = false;
  std::size_t begin = 0;
  for (std::size_t lf; (lf = eng.find('\n', begin)) != std::string::npos; begin = lf + 1) {
    const std::string line = eng.substr(begin, lf - begin);
    double t = 0.0;
    double F = 0.0;
    if (line[0] == ';' || !header) {
      header = header || line[0] != ';';
      out += line + "\n";
    } else if (std::sscanf(line.c_str(), "%lf %lf", &t, &F) == 2) {
      char text[64];
      std::snprintf(text, sizeof text, "%.5f %.4f\n", t, F / divisor);
      out += text;
    }
  }
  return out;
}

const std::vector<std::string> kF67Motor = {"--diametro",    "29",     "--comprimento",      "83",
                                            "--massa-total", "0.0813", "--massa-propelente", "0.03"};

TEST(EngineReference, TheCheckComparesTheBurnWithAPublishedCurve) {
  e2e::CaseDir dir;
  dir.write("f67w.dat", e2e::source_file("examples/f67w/f67w.dat"));
  std::vector<std::string> args = {"f67w.dat", "--eng", "f67.eng"};
  args.insert(args.end(), kF67Motor.begin(), kF67Motor.end());
  ASSERT_EQ(dir.run_inspect(args).exit_status, 0);
  dir.write("menor.eng", scaled_eng(dir.read("f67.eng"), 1.05));
  const struct {
    const char* file;
    double pct;
  } cases[] = {{"f67.eng", 0.0}, {"menor.eng", 5.0}};
  for (const auto& c : cases) {
    const e2e::RunResult r = dir.run_inspect({"f67w.dat", "--referencia", c.file, "--json", "-"});
    ASSERT_EQ(r.exit_status, 0) << r.err;
    const JsonValue doc = document(r.out);
    const JsonValue& ref = doc["firings"][0]["reference"];
    EXPECT_EQ(ref["source"].string, c.file);
    EXPECT_EQ(ref["designation"].string, "F66");
    // The engine file's 32 points against the burn's 463: within 0.5 %.
    EXPECT_NEAR(ref["impulse_difference_pct"].number, c.pct, 0.5) << c.file;
    EXPECT_NEAR(ref["average_thrust_difference_pct"].number, c.pct, 0.5);
    EXPECT_NEAR(ref["peak_difference_pct"].number, c.pct, 1.0);
    EXPECT_NEAR(ref["burn_time_difference_pct"].number, 0.0, 0.5);
    EXPECT_NEAR(ref["impulse_Ns"].number, 61.4 / (1.0 + c.pct / 100.0), 0.5);
    EXPECT_GT(ref["rms_difference_N"].number, 0.0);
    EXPECT_TRUE(has(r.err, "Comparação com a curva de referência " + std::string(c.file))) << r.err;
  }
  EXPECT_TRUE(has(dir.run_inspect({"f67w.dat", "--referencia", "menor.eng"}).out, "+5,0 %"));
  // The reference is an input: no engine file goes over it, under any name.
  const std::string before = dir.read("menor.eng");
  args = {"f67w.dat", "--referencia", "menor.eng", "--rse", "./menor.eng"};
  args.insert(args.end(), kF67Motor.begin(), kF67Motor.end());
  e2e::RunResult over = dir.run_inspect(args);
  EXPECT_EQ(over.exit_status, 2);
  EXPECT_TRUE(has(over.err, "./menor.eng é a curva de referência: não será sobrescrita")) << over.err;
  EXPECT_EQ(dir.read("menor.eng"), before);
  // A curve that the writer would refuse is named, and nothing else is done.
  dir.write("ruim.eng", "F 29 83 0 0.03 0.08 X\n0.1 10\n0.2 0\n");
  const e2e::RunResult r = dir.run_inspect({"f67w.dat", "--referencia", "ruim.eng"});
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_TRUE(has(r.err, "a curva de referência ruim.eng não serve: linha 1: a designação \"F\"")) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(EngineReference, TheSeriesDrawsTheReferenceOverItsMeanCurve) {
  e2e::CaseDir dir;
  dir.write("a.dat", e2e::source_file("examples/f67w/f67w.dat"));
  dir.write("b.dat", e2e::source_file("examples/f67w/f67w.dat"));
  std::vector<std::string> args = {"serie", "a.dat", "b.dat", "--massa", "0.03", "--saida", "s", "--rse", "s/m.rse"};
  args.insert(args.end(), kF67Motor.begin(), kF67Motor.end() - 2);
  ASSERT_EQ(dir.run_inspect(args).exit_status, 1);  // two firings are too few to pass the checks
  const e2e::RunResult r =
      dir.run_inspect({"serie", "a.dat", "b.dat", "--massa", "0.03", "--referencia", "s/m.rse", "--json", "-"});
  const JsonValue doc = document(r.out);
  const JsonValue& ref = doc["series"]["reference"];
  EXPECT_EQ(ref["source"].string, "s/m.rse");
  EXPECT_NEAR(ref["impulse_difference_pct"].number, 0.0, 0.5);
  EXPECT_TRUE(has(dir.read("serie.txt"), "Compara\xE7\xE3o com a curva de refer\xEAncia s/m.rse"))
      << dir.read("serie.txt");
  EXPECT_TRUE(
      has(dir.read("serie.gnu"), " index 3 using 1:2 with lines lw 2 dt 2 lc rgb 'red' title 'refer\xEAncia: F66'"))
      << dir.read("serie.gnu");
  EXPECT_TRUE(has(dir.read("serie_curvas.dat"), "# curva de referencia\n0 0\n"));
  // Nor does the series write over it.
  const std::string before = dir.read("s/m.rse");
  args = {"serie", "a.dat", "b.dat", "--massa", "0.03", "--saida", "s", "--referencia", "s/m.rse", "--rse", "s/m.rse"};
  args.insert(args.end(), kF67Motor.begin(), kF67Motor.end() - 2);
  const e2e::RunResult over = dir.run_inspect(args);
  EXPECT_EQ(over.exit_status, 2);
  EXPECT_TRUE(has(over.err, "m.rse é a curva de referência: não será sobrescrita")) << over.err;
  EXPECT_EQ(dir.read("s/m.rse"), before);
}

}  // namespace
