#include "inspect/json/firing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../../support/json_value.h"

namespace {

// A burn from 1.0 s to 2.0 s with an ejection spike after it, the zero
// measured before ignition only.
FiringAnalysis analysed_burn() {
  FiringAnalysis a;
  Burn b;
  b.start = 1.0;
  b.end = 2.0;
  b.duration = 1.0;
  b.It = 61.409;
  b.Fmed = 61.409;
  b.Fmax = 66.46;
  b.peak_time = 1.25;
  a.burn = b;
  a.burn_class.motor_class = motor_class(b.It);
  a.burn_class.designation = designation(*a.burn_class.motor_class, b.Fmed);
  QuietStretch before;
  before.mean = 0.125;
  a.zero_before = before;
  a.rate.measured = 1000.4;
  a.w = 1000;
  a.scan.events.push_back({.first = 10, .last = 1010, .start = 0.99, .end = 2.01, .peak = 66.46, .impulse = 61.5});
  a.scan.events.push_back({.first = 1500,
                           .last = 1500,
                           .start = 2.5,
                           .end = 2.5,
                           .peak = 90.0,
                           .impulse = NAN,
                           .shape = EventShape::spike});
  a.spikes.push_back({.record = 1500, .time = 2.5, .thrust = 90.0});
  a.warnings.push_back({"spike", "um pico isolado em 2.5 s, posto de lado"});
  return a;
}

JsonValue firing_object(const FiringAnalysis& a, const FiringJsonContext& context) {
  JsonWriter json;
  put_firing_json(json, a, context);
  const std::optional<JsonValue> v = parse_json(json.text);
  EXPECT_TRUE(v.has_value()) << json.text;
  return v.value_or(JsonValue{});
}

TEST(FiringJson, HoldsTheBurnItsZeroEventsAndProgramOnTheLogsStamps) {
  ProgramWindow program;
  program.ti = 0.99;
  program.tf = 2.01;
  program.figures = {.It = 61.2,
                     .Fmed = 60.0,
                     .tq = 1.02,
                     .Fmax = 66.4,
                     .tmax = 0.26,
                     .Fmin = 0.5,
                     .Is = NAN,
                     .classe = "F",
                     .nc = 1021};
  const JsonValue f = firing_object(analysed_burn(), {"ensaio \xE9.dat", program, 100.0});

  EXPECT_EQ(f["source"].string, "ensaio \xC3\xA9.dat");
  EXPECT_EQ(f["time_origin_s"].number, 100.0);
  const JsonValue& burn = f["burn"];
  EXPECT_EQ(burn["start_s"].number, 101.0);
  EXPECT_EQ(burn["end_s"].number, 102.0);
  EXPECT_EQ(burn["peak_time_s"].number, 101.25);
  EXPECT_EQ(burn["burn_time_s"].number, 1.0);
  EXPECT_EQ(burn["impulse_Ns"].number, 61.409);
  EXPECT_EQ(burn["class"].string, "F");
  EXPECT_EQ(burn["designation"].string, "F61");
  EXPECT_EQ(f["zero"]["before_N"].number, 0.125);
  for (const char* unknown : {"after_N", "shift_N", "shift_effect_Ns"}) {
    EXPECT_TRUE(f["zero"].has(unknown) && f["zero"][unknown].is_null()) << unknown;
  }
  EXPECT_EQ(f["rate_Hz"].number, 1000.4);
  EXPECT_EQ(f["w"].number, 1000.0);
  ASSERT_EQ(f["events"].array.size(), 2u);
  EXPECT_EQ(f["events"][0]["start_s"].number, 100.99);
  EXPECT_EQ(f["events"][0]["records"].number, 1001.0);
  EXPECT_EQ(f["events"][0]["shape"].string, "burn");
  EXPECT_EQ(f["events"][1]["shape"].string, "spike");
  EXPECT_TRUE(f["events"][1]["impulse_Ns"].is_null());
  EXPECT_EQ(f["spikes"][0]["time_s"].number, 102.5);
  EXPECT_EQ(f["spikes"][0]["thrust_N"].number, 90.0);
  // The program's window is the case's, counted as the case counts it.
  EXPECT_EQ(f["program"]["ti_s"].number, 0.99);
  EXPECT_EQ(f["program"]["nc"].number, 1021.0);
  EXPECT_EQ(f["program"]["Fmin_N"].number, 0.5);
  EXPECT_TRUE(f["program"]["Is_s"].is_null());
  EXPECT_EQ(f["program"]["classe"].string, "F");
  EXPECT_EQ(f["warnings"][0]["code"].string, "spike");
}

// A script finds every key of the uncertainty whether or not the command
// made a budget, or the case gives a mass for Is: null where there is none.
TEST(FiringJson, TheUncertaintysKeysStayWhereThereIsNone) {
  FiringUncertainty budget;
  budget.budget.k = 2.0;
  budget.budget.u = 0.5;
  budget.budget.U = 1.0;
  budget.It = 61.409;
  const struct {
    const FiringUncertainty* u;
    double M;
    bool Is_U;
  } cases[] = {{&budget, 0.05, true}, {&budget, 0.0, false}, {nullptr, 0.05, false}};
  for (const auto& c : cases) {
    ProgramWindow program;
    program.figures = {.It = 61.2, .Fmed = 60.0, .tq = 1.02, .Fmax = 66.4, .Is = 124.8, .classe = "F", .nc = 1021};
    program.M = c.M;
    const JsonValue f = firing_object(analysed_burn(), {"ensaio.dat", program, std::nullopt, c.u});
    ASSERT_TRUE(f["program"].has("Is_U_s")) << c.M;
    if (c.Is_U) {
      EXPECT_DOUBLE_EQ(f["program"]["Is_U_s"].number, 2.0 * 124.8 * 0.5 / 61.409);
    } else {
      EXPECT_TRUE(f["program"]["Is_U_s"].is_null()) << c.M;
    }
    for (const char* key : {"impulse_U_Ns", "average_thrust_U_N", "peak_U_N", "burn_time_U_s"}) {
      ASSERT_TRUE(f["burn"].has(key)) << key;
      EXPECT_EQ(f["burn"][key].is_null(), c.u == nullptr) << key;
    }
    EXPECT_EQ(f["uncertainty"].is_null(), c.u == nullptr);
  }
}

// The vertical correction is a number only where --vertical had the mass
// to make it: without the flag no term, without the mass a term not given.
TEST(FiringJson, TheVerticalCorrectionIsNullWithoutItsMass) {
  const struct {
    const char* name;
    std::vector<BudgetTerm> terms;
    bool number;
  } cases[] = {
      {"no --vertical", {}, false},
      {"--vertical without the mass", {BudgetTerm{"vertical", "peso", false, false, 0.0, 0.0, 0.0}}, false},
      {"--vertical with the mass", {BudgetTerm{"vertical", "peso", true, true, 0.02, 0.0, 0.0}}, true},
  };
  for (const auto& c : cases) {
    FiringUncertainty u;
    u.budget.terms = c.terms;
    u.budget.vertical_correction = -0.25;
    u.It = 61.159;
    const JsonValue f = firing_object(analysed_burn(), {"ensaio.dat", std::nullopt, std::nullopt, &u});
    ASSERT_TRUE(f["burn"].has("vertical_correction_Ns")) << c.name;
    EXPECT_EQ(f["burn"]["vertical_correction_Ns"].is_null(), !c.number) << c.name;
  }
}

TEST(FiringJson, WithoutABurnItsFiguresAreNullAndTheKeysStay) {
  const JsonValue f = firing_object(FiringAnalysis{}, {"vazio.dat", std::nullopt, std::nullopt});
  EXPECT_FALSE(f.has("time_origin_s"));
  for (const char* key : {"burn", "program", "rate_Hz", "w"}) {
    EXPECT_TRUE(f.has(key) && f[key].is_null()) << key;
  }
  for (const char* key : {"events", "spikes", "warnings"}) {
    EXPECT_EQ(f[key].kind, JsonValue::Kind::array) << key;
    EXPECT_TRUE(f[key].array.empty()) << key;
  }
}

}  // namespace
