// The stand's firings of the honesty test through the real commands: the
// calibration table to calibrar, the raw log to importar --calibracao. The
// document's impulse and U are those of the same functions run in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "harness.h"
#include "inspect/calibration/cal_file.h"
#include "inspect/firing/firing.h"
#include "inspect/uncertainty/firing_uncertainty.h"

#include "../support/json_value.h"
#include "../support/stand_firing.h"

namespace {

std::string exact(double x) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", x);
  return text;
}

struct Figures {
  double It = 0.0;
  double U = 0.0;
};

// What the commands compute, computed here on the records as the import
// reads them: stamps counted from the first, force = (reading + a / b) x b.
Figures in_process(const StandFiring& f) {
  CalibrationFit fit;
  if (!fit_calibration(f.table, &fit)) return {};
  const Calibration cal = calibration_of(fit, 0.0, 0.0, 0.0);
  std::vector<double> t;
  std::vector<double> F;
  for (std::size_t i = 0; i < f.t.size(); ++i) {
    t.push_back(static_cast<double>(std::llround(f.t[i] * 1000.0) - std::llround(f.t[0] * 1000.0)) / 1000.0);
    F.push_back((f.reading[i] - -cal.a / cal.b) * cal.b);
  }
  const FiringAnalysis a = analyse_firing(t, F);
  if (!a.burn) return {};
  UncertaintyInputs in;
  in.calibration = cal;
  return {a.burn->It, firing_uncertainty(t, F, a, in).budget.U};
}

TEST(UncertaintyEndToEnd, TheCommandsGiveTheFiguresOfTheFunctionsTheyCall) {
  Draws draws(20261209);
  for (int n = 0; n < 20; ++n) {
    const StandFiring f = draw_stand_firing(draws);
    const Figures expected = in_process(f);
    ASSERT_GT(expected.It, 0.0) << n;
    e2e::CaseDir dir;
    std::string table = "carga_N,leitura\n";
    for (const CalibrationReading& r : f.table) table += exact(r.load) + "," + exact(r.reading) + "\n";
    dir.write("tabela.csv", table);
    std::string log = "time_ms,raw\n";
    for (std::size_t i = 0; i < f.t.size(); ++i) {
      log += std::to_string(std::llround(f.t[i] * 1000.0)) + "," + exact(f.reading[i]) + "\n";
    }
    dir.write("bruto.csv", log);
    e2e::RunResult r = dir.run_inspect({"calibrar", "tabela.csv", "--cal", "celula.cal"});
    ASSERT_EQ(r.exit_status, 0) << n << r.out << r.err;
    r = dir.run_inspect({"importar", "bruto.csv", "--massa", "0.1", "--saida", "caso", "--calibracao", "celula.cal",
                         "--json", "importar.json"});
    ASSERT_LE(r.exit_status, 1) << n << r.out << r.err;
    const JsonValue d = parse_json(dir.read("importar.json")).value_or(JsonValue{});
    const JsonValue& burn = d["firings"][0]["burn"];
    EXPECT_NEAR(burn["impulse_Ns"].number, expected.It, 1e-9 * expected.It) << n;
    EXPECT_NEAR(burn["impulse_U_Ns"].number, expected.U, 1e-9 * expected.U) << n;
  }
}

}  // namespace
