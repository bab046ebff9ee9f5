// One log, one answer: the check, importar and serie run on the same
// synthetic log, each shape one that real stands give, and must find the
// same burn (start and end within one sample), the same standard impulse
// (within 0.1 %) and the warnings the shape calls for. Each log is written
// in the program's own format (s, N, no header).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "harness.h"

#include "../support/json_value.h"

namespace {

constexpr double kRate = 100.0;    // Hz
constexpr double kBurnTime = 2.6;  // s, from the rise to the end of the tail
constexpr double kPeak = 40.0;     // N above the zero

// The motor's thrust above the zero, T s after ignition: a fast rise, a
// slowly falling plateau, a tail.
double motor(double T) {
  if (T < 0.0 || T > kBurnTime) return 0.0;
  if (T < 0.06) return kPeak * T / 0.06;
  if (T < 2.2) return kPeak * (1.0 - 0.12 * (T - 0.06) / 2.14);
  return kPeak * 0.88 * (kBurnTime - T) / (kBurnTime - 2.2);
}

struct Shape {
  const char* name;
  double before;                                          // s of log before ignition
  double after;                                           // s after the burn
  std::function<double(double t, double ignition)> zero;  // N, the cell's reading with no thrust
  std::function<void(std::vector<double>& t, std::vector<double>& F, double ignition)> extra;
  std::vector<const char*> warnings;  // codes the analysis must give
};

// Deterministic noise of about 0.03 N.
double noise(std::size_t i) {
  std::uint32_t x = static_cast<std::uint32_t>(i) * 2654435761u;
  x ^= x >> 13;
  x *= 0x5bd1e995u;
  x ^= x >> 15;
  return (static_cast<double>(x % 1000) / 1000.0 - 0.5) * 0.06;
}

std::string log_text(const Shape& s, double sign = 1.0) {
  std::vector<double> t;
  std::vector<double> F;
  const double ignition = s.before;
  const double end = s.before + kBurnTime + s.after;
  for (std::size_t i = 0;; ++i) {
    const double time = static_cast<double>(i) / kRate;
    if (time > end) break;
    t.push_back(time);
    F.push_back(s.zero(time, ignition) + motor(time - ignition) + noise(i));
  }
  if (s.extra) s.extra(t, F, ignition);
  std::string text;
  char line[64];
  for (std::size_t i = 0; i < t.size(); ++i) {
    std::snprintf(line, sizeof line, "%.4f %.5f\n", t[i], sign * F[i]);
    text += line;
  }
  return text;
}

JsonValue document(const std::string& text) {
  const std::optional<JsonValue> v = parse_json(text);
  EXPECT_TRUE(v.has_value()) << text.substr(0, 400);
  return v.value_or(JsonValue{});
}

bool has_code(const JsonValue& firing, const std::string& code) {
  for (const JsonValue& w : firing["warnings"].array) {
    if (w["code"].string == code) return true;
  }
  return false;
}

struct Answer {
  int status = -1;
  JsonValue firing;
  JsonValue error;
  std::string said;
};

// The three commands on LOG in DIR, each with its JSON document.
std::vector<Answer> answers(const e2e::CaseDir& dir, const std::vector<std::string>& more) {
  dir.write("copia.dat", dir.read("log.dat"));
  const std::vector<std::vector<std::string>> commands = {
      {"log.dat", "--rate", "100", "--json", "check.json"},
      {"importar", "log.dat", "--tempo", "s", "--empuxo", "N", "--massa", "0.05", "--saida", "caso", "--json",
       "importar.json"},
      // A series asks for two firings: the log and a copy of it.
      {"serie", "log.dat", "copia.dat", "--rate", "100", "--massa", "0.05", "--saida", "serie", "--json", "serie.json"},
  };
  const char* files[] = {"check.json", "importar.json", "serie.json"};
  std::vector<Answer> out;
  for (std::size_t k = 0; k < commands.size(); ++k) {
    std::vector<std::string> args = commands[k];
    args.insert(args.end(), more.begin(), more.end());
    const e2e::RunResult r = dir.run_inspect(args, std::chrono::seconds(60));
    Answer a;
    a.status = r.exit_status;
    a.said = r.out + r.err;
    const JsonValue d = document(dir.exists(files[k]) ? dir.read(files[k]) : std::string());
    if (!d["firings"].array.empty()) a.firing = d["firings"][0];
    a.error = d["error"];
    out.push_back(a);
  }
  return out;
}

const Shape kShapes[] = {
    {"zero shifting by 2.5 % of the peak, a glitch of 7x the peak before a gap, bumps while idle",
     150.0,
     120.0,
     [](double t, double ignition) {
       double z = t < ignition               ? 0.2
                  : t > ignition + kBurnTime ? 0.2 - 0.025 * kPeak
                                             : 0.2 - 0.025 * kPeak * (t - ignition) / kBurnTime;
       // Bumps of 1 N while the stand is handled, 2 and 1.5 minutes before.
       if (std::fabs(t - (ignition - 120.0)) < 0.5 || std::fabs(t - (ignition - 90.0)) < 0.3) z += 1.0;
       return z;
     },
     [](std::vector<double>& t, std::vector<double>& F, double ignition) {
       // One reading of 7x the peak a minute before ignition, then 0.4 s with no record.
       const auto at = static_cast<std::size_t>((ignition - 60.0) * kRate);
       F[at] = 7.0 * kPeak;
       t.erase(t.begin() + static_cast<std::ptrdiff_t>(at) + 1, t.begin() + static_cast<std::ptrdiff_t>(at) + 41);
       F.erase(F.begin() + static_cast<std::ptrdiff_t>(at) + 1, F.begin() + static_cast<std::ptrdiff_t>(at) + 41);
     },
     {"zero-shift", "spike"}},
    {"handling ramps larger than the burn",
     60.0,
     30.0,
     [](double, double) { return 0.0; },
     [](std::vector<double>& t, std::vector<double>& F, double ignition) {
       // A hand pressing the cell: slow ramps up to 1.5x the peak, 40 and 25 s before ignition.
       for (std::size_t i = 0; i < t.size(); ++i) {
         for (const double at : {ignition - 40.0, ignition - 25.0}) {
           const double x = t[i] - at;
           if (x > 0.0 && x < 4.0) F[i] += 1.5 * kPeak * (x < 3.0 ? x / 3.0 : (4.0 - x));
         }
       }
     },
     {}},
    {"0.5 kg left on the cell", 20.0, 20.0, [](double, double) { return 0.5 * 9.80665; }, nullptr, {}},
    {"a zero below 0", 20.0, 20.0, [](double, double) { return -3.0; }, nullptr, {}},
    {"a spike in mid-burn",
     20.0,
     20.0,
     [](double, double) { return 0.0; },
     [](std::vector<double>&, std::vector<double>& F, double ignition) {
       F[static_cast<std::size_t>((ignition + 1.2) * kRate)] = 500.0;
     },
     {"spike"}},
    {"only 0.3 s before ignition", 0.3, 5.0, [](double, double) { return 0.0; }, nullptr, {}},
};

class OneAnswer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (e2e::windows_run() && !e2e::windows_inspect_run()) GTEST_SKIP() << "no TALVIRONESKA_E2E_INSPECT_EXE";
  }
};

TEST_F(OneAnswer, TheThreeCommandsFindTheSameBurn) {
  for (const Shape& s : kShapes) {
    SCOPED_TRACE(s.name);
    e2e::CaseDir dir;
    dir.write("log.dat", log_text(s));
    const std::vector<Answer> all = answers(dir, {});
    for (const Answer& a : all) {
      ASSERT_LE(a.status, 1) << a.said;
      ASSERT_FALSE(a.firing.is_null()) << a.said;
      // The burn itself, not another event: its 5 % crossings near the motor's.
      EXPECT_NEAR(a.firing["burn"]["start_s"].number, s.before + 0.0075, 0.02) << a.said;
      EXPECT_NEAR(a.firing["burn"]["end_s"].number, s.before + kBurnTime - 0.02, 0.05) << a.said;
      for (const char* code : s.warnings) EXPECT_TRUE(has_code(a.firing, code)) << code << "\n" << a.said;
    }
    const JsonValue& first = all[0].firing["burn"];
    for (std::size_t k = 1; k < all.size(); ++k) {
      const JsonValue& b = all[k].firing["burn"];
      EXPECT_NEAR(b["start_s"].number, first["start_s"].number, 1.0 / kRate) << k;
      EXPECT_NEAR(b["end_s"].number, first["end_s"].number, 1.0 / kRate) << k;
      EXPECT_NEAR(b["impulse_Ns"].number, first["impulse_Ns"].number, 1e-3 * first["impulse_Ns"].number) << k;
    }
  }
}

// A cell wired the other way: every command names it and stops; with
// --inverter each finds the burn of the log read the right way.
TEST_F(OneAnswer, AnInvertedCellIsNamedAndReadWithInverter) {
  const Shape& s = kShapes[2];
  e2e::CaseDir dir;
  dir.write("log.dat", log_text(s));
  const std::vector<Answer> right = answers(dir, {});
  e2e::CaseDir inverted;
  inverted.write("log.dat", log_text(s, -1.0));
  for (const Answer& a : answers(inverted, {})) {
    EXPECT_EQ(a.status, 2) << a.said;
    EXPECT_EQ(a.error["code"].string, "inverted-cell") << a.said;
  }
  e2e::CaseDir mirrored;
  mirrored.write("log.dat", log_text(s, -1.0));
  const std::vector<Answer> read = answers(mirrored, {"--inverter"});
  for (std::size_t k = 0; k < read.size(); ++k) {
    ASSERT_LE(read[k].status, 1) << read[k].said;
    EXPECT_NEAR(read[k].firing["burn"]["impulse_Ns"].number, right[k].firing["burn"]["impulse_Ns"].number,
                1e-3 * right[k].firing["burn"]["impulse_Ns"].number)
        << k;
    EXPECT_NEAR(read[k].firing["burn"]["start_s"].number, right[k].firing["burn"]["start_s"].number, 1.0 / kRate);
  }
}

// The same firing given twice, under two names, is one firing, not two.
TEST_F(OneAnswer, TheSeriesRefusesOneFiringGivenTwice) {
  e2e::CaseDir dir;
  dir.write("log.dat", log_text(kShapes[2]));
  std::filesystem::create_symlink("log.dat", dir.path() + "/outro.dat");
  for (const std::vector<std::string>& names :
       {std::vector<std::string>{"log.dat", "./log.dat"}, std::vector<std::string>{"log.dat", "outro.dat"}}) {
    std::vector<std::string> args = {"serie"};
    args.insert(args.end(), names.begin(), names.end());
    args.insert(args.end(), {"--rate", "100", "--massa", "0.05", "--saida", "serie"});
    const e2e::RunResult r = dir.run_inspect(args, std::chrono::seconds(60));
    EXPECT_EQ(r.exit_status, 2) << r.out << r.err;
    EXPECT_NE(r.err.find(names[0]), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(names[1]), std::string::npos) << r.err;
    EXPECT_FALSE(dir.exists("serie/serie.txt"));
  }
}

}  // namespace
