// Firings of a stand whose every error is known, through the real commands: the
// calibration table to calibrar, the raw log to importar --calibracao. The
// document's impulse and U are those of the same functions run in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cell_files.h"
#include "harness.h"
#include "inspect/calibration/cal_file.h"
#include "inspect/firing/firing.h"
#include "inspect/uncertainty/draws.h"
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
  const CalibratedFiring c = calibrated(f);
  if (!c.ok) return {};
  const Calibration& cal = c.cal;
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

// A vertical stand's log: a front-loaded burn of 1 s from 2 s, the motor's
// weight of 3 N on the cell falling by M g as its propellant burns.
struct VerticalLog {
  std::vector<double> t;
  std::vector<double> F;
  std::string csv;
};

VerticalLog vertical_log(double mass) {
  const auto thrust = [](double t) {
    const double x = t - 2.0;
    return x > 0.0 && x < 1.0 ? 100.0 * std::sin(M_PI * x) * (1.6 - x) : 0.0;
  };
  VerticalLog log;
  double total = 0.0;
  for (int k = 1; k < 5000; ++k) total += 0.5 * (thrust((k - 1) / 1000.0) + thrust(k / 1000.0)) / 1000.0;
  double burnt = 0.0;
  Draws draws(23);
  log.csv = "time_ms,thrust_N\n";
  for (int k = 0; k < 5000; ++k) {
    const double t = k / 1000.0;
    if (k > 0) burnt += 0.5 * (thrust((k - 1) / 1000.0) + thrust(t)) / 1000.0;
    // Rounded as written, so that the records read back are these.
    const double F = std::round((thrust(t) + 3.0 - mass * 9.80665 * burnt / total + 0.01 * draws.normal()) * 1e6) / 1e6;
    log.t.push_back(t);
    log.F.push_back(F);
    log.csv += std::to_string(k) + "," + exact(F) + "\n";
  }
  return log;
}

// The correction the budget makes on LOG's records for a propellant of MASS
// kg; NaN when the analysis finds no burn.
double vertical_correction_of(const VerticalLog& log, double mass) {
  UncertaintyInputs in;
  in.vertical = true;
  in.propellant_mass = mass;
  const FiringAnalysis a = analyse_firing(log.t, log.F);
  return a.burn ? impulse_budget(log.t, log.F, a, in).vertical_correction : std::nan("");
}

const JsonValue* term_named(const JsonValue& u, const std::string& name) {
  for (const JsonValue& t : u["terms"].array) {
    if (t["name"].string == name) return &t;
  }
  return nullptr;
}

// --vertical through the three commands: the import's correction is the
// budget's on its records, the check and the series of the case it wrote
// give the same correction as each other, each stands in the budget as
// its own term, and without the flag there is none.
TEST(UncertaintyEndToEnd, VerticalStandThroughTheThreeCommands) {
  const double mass = 0.2;
  const VerticalLog log = vertical_log(mass);
  const double expected = vertical_correction_of(log, mass);
  ASSERT_GT(expected, 0.0);  // the weight's loss hid some of the impulse

  e2e::CaseDir dir;
  dir.write("vertical.csv", log.csv);
  e2e::RunResult r = dir.run_inspect({"importar", "vertical.csv", "--massa", exact(mass), "--saida", "caso",
                                      "--vertical", "--u-massa-propelente", "0.005", "--json", "importar.json"});
  ASSERT_LE(r.exit_status, 1) << r.out << r.err;
  const JsonValue imported = parse_json(dir.read("importar.json")).value_or(JsonValue{});
  const JsonValue& firing = imported["firings"][0];
  EXPECT_NEAR(firing["burn"]["vertical_correction_Ns"].number, expected, 1e-9 * expected);
  ASSERT_NE(term_named(firing["uncertainty"], "vertical"), nullptr);
  EXPECT_GT((*term_named(firing["uncertainty"], "vertical"))["u_Ns"].number, 0.0);
  EXPECT_NE(r.out.find("corrigido do peso do propelente"), std::string::npos) << r.out;

  // A series is of two firings or more: the same log again, in a case of its own.
  dir.write("outra.csv", log.csv);
  r = dir.run_inspect({"importar", "outra.csv", "--massa", exact(mass), "--saida", "caso2"});
  ASSERT_LE(r.exit_status, 1) << r.out << r.err;
  e2e::CaseDir in_case;  // the check runs in the case's folder
  for (const char* name : {"vertical.dat", "vertical_caso.txt", e2e::kGeneralDataFile}) {
    in_case.write(name, dir.read(std::string("caso/") + name));
  }
  double corrections[2] = {0.0, 0.0};
  for (int command = 0; command < 2; ++command) {
    for (const bool vertical : {true, false}) {
      std::vector<std::string> args = {"--json", "-"};
      if (command == 1) args.insert(args.begin(), {"serie", "caso", "caso2", "--saida", "serie"});
      if (vertical) args.push_back("--vertical");
      r = command == 0 ? in_case.run_inspect(args) : dir.run_inspect(args, std::chrono::seconds(60));
      ASSERT_LE(r.exit_status, 1) << command << r.out << r.err;
      const JsonValue d = parse_json(r.out).value_or(JsonValue{});
      const JsonValue& f = d["firings"][0];
      ASSERT_EQ(term_named(f["uncertainty"], "vertical") != nullptr, vertical) << command << r.out;
      if (!vertical) {
        EXPECT_TRUE(f["burn"]["vertical_correction_Ns"].is_null()) << command;
        continue;
      }
      corrections[command] = f["burn"]["vertical_correction_Ns"].number;
      // The case is the log tared and on its grid: the same correction, near enough.
      EXPECT_NEAR(corrections[command], expected, 0.05 * expected) << command;
    }
  }
  EXPECT_NEAR(corrections[0], corrections[1], 1e-9 * expected);
}

// A log without stamps, read at the rate --taxa gives: the budget's time
// base is that rate's, not the clock's.
TEST(UncertaintyEndToEnd, ALogWithoutStampsHasTheRatesTerm) {
  const VerticalLog log = vertical_log(0.0);
  std::string values = "thrust_N\n";
  for (double F : log.F) values += exact(F) + "\n";
  e2e::CaseDir dir;
  dir.write("sem_tempo.csv", values);
  for (const bool ppm : {false, true}) {
    std::vector<std::string> args = {"importar", "sem_tempo.csv", "--massa", "0.1", "--saida",     "caso",
                                     "--taxa",   "1000",          "--json",  "-",   "--substituir"};
    if (ppm) args.insert(args.end(), {"--u-relogio", "100"});
    const e2e::RunResult r = dir.run_inspect(args);
    ASSERT_LE(r.exit_status, 1) << r.out << r.err;
    const JsonValue d = parse_json(r.out).value_or(JsonValue{});
    const JsonValue& u = d["firings"][0]["uncertainty"];
    EXPECT_EQ(term_named(u, "clock"), nullptr);
    ASSERT_NE(term_named(u, "rate"), nullptr);
    EXPECT_EQ((*term_named(u, "rate"))["u_Ns"].is_null(), !ppm);
    bool missing = false;
    for (const JsonValue& name : u["missing"].array) missing = missing || name.string == "rate";
    EXPECT_EQ(missing, !ppm);
  }
}

}  // namespace

namespace {

// A series takes each case's calibration from the copy the import left; a
// copy it cannot read leaves the calibration out of that firing's budget,
// and the series says so and why.
TEST(UncertaintyEndToEnd, ASeriesSaysWhenACasesCalibrationCannotBeRead) {
  e2e::CaseDir dir;
  dir.write("tabela.csv", e2e::cell_table(1));
  ASSERT_EQ(dir.run_inspect({"calibrar", "tabela.csv", "--cal", "celula.cal"}).exit_status, 0);
  const VerticalLog log = vertical_log(0.0);
  std::string raw = "time_ms,raw\n";
  for (std::size_t k = 0; k < log.t.size(); ++k)
    raw += std::to_string(k) + "," + exact(500.0 + 100.0 * log.F[k]) + "\n";
  for (const char* name : {"um", "dois"}) {
    dir.write(std::string(name) + ".csv", raw);
    const e2e::RunResult r = dir.run_inspect(
        {"importar", std::string(name) + ".csv", "--massa", "0.1", "--saida", name, "--calibracao", "celula.cal"});
    ASSERT_LE(r.exit_status, 1) << r.out << r.err;
  }
  for (const bool broken : {false, true}) {
    if (broken) dir.write("dois/dois_calibracao.cal", dir.read("dois/dois_calibracao.cal") + "b = 1\r\n");
    const e2e::RunResult r =
        dir.run_inspect({"serie", "um", "dois", "--saida", "serie", "--json", "-"}, std::chrono::seconds(60));
    ASSERT_LE(r.exit_status, 1) << r.out << r.err;
    const JsonValue d = parse_json(r.out).value_or(JsonValue{});
    for (std::size_t i = 0; i < 2; ++i) {
      const JsonValue* calibration = term_named(d["firings"][i]["uncertainty"], "calibration");
      ASSERT_NE(calibration, nullptr) << i;
      EXPECT_EQ((*calibration)["u_Ns"].is_null(), broken && i == 1) << i << " " << broken;
    }
    const bool told = r.err.find("dois_calibracao.cal") != std::string::npos &&
                      r.err.find("a incerteza segue sem a calibração") != std::string::npos;
    EXPECT_EQ(told, broken) << r.err;
  }
}

}  // namespace

namespace {

// A bare thrust data file from a vertical stand: --massa-propelente gives
// the check the mass --vertical needs; without --vertical or an engine file
// it has no use and is refused.
TEST(UncertaintyEndToEnd, TheCheckOfAThrustFileTakesTheMassForVertical) {
  const double mass = 0.2;
  const VerticalLog log = vertical_log(mass);
  const double expected = vertical_correction_of(log, mass);
  e2e::CaseDir dir;
  std::string data;
  for (std::size_t k = 0; k < log.t.size(); ++k) data += exact(log.t[k]) + " " + exact(log.F[k]) + "\n";
  dir.write("vertical.dat", data);
  e2e::RunResult r = dir.run_inspect({"vertical.dat", "--vertical", "--massa-propelente", exact(mass), "--json", "-"});
  ASSERT_LE(r.exit_status, 1) << r.err;
  const JsonValue d = parse_json(r.out).value_or(JsonValue{});
  const JsonValue* vertical = term_named(d["firings"][0]["uncertainty"], "vertical");
  ASSERT_NE(vertical, nullptr) << r.out;
  EXPECT_FALSE((*vertical)["u_Ns"].is_null());
  EXPECT_NEAR(d["firings"][0]["burn"]["vertical_correction_Ns"].number, expected, 1e-9 * expected);
  r = dir.run_inspect({"vertical.dat", "--massa-propelente", exact(mass)});
  EXPECT_EQ(r.exit_status, 2) << r.out;
}

}  // namespace
