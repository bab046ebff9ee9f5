#include "inspect/engine/engine_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "inspect/common/text.h"
#include "inspect/engine/engine_reading.h"
#include "inspect/firing/motor_class.h"
#include "support/eng_reading.h"
#include "support/engine_rules.h"

namespace {

EngineMotor f66() {
  EngineMotor m;
  m.designation = "F66";
  m.diameter = 29.0;
  m.length = 83.0;
  m.delays = "4-6-8";
  m.propellant_mass = 0.03;
  m.total_mass = 0.0813;
  m.comment = "teste";
  return m;
}

TEST(StrictEngineReader, RefusesAFileBreakingEachRule) {
  const std::string good =
      "; a motor\n"
      "F66 29 83 6 0.030 0.0813 TV\n"
      "0.010 20.5\n"
      "0.500 70.25\n"
      "0.925 0.0\n";
  EXPECT_TRUE(eng_rule_breaks(good).empty());
  const struct {
    std::string from, to;
  } broken[] = {
      {"F66 29", "F 29"},                 // a name without the average thrust
      {" 6 0.030", " 0.030"},             // a missing delay
      {"0.030 0.0813", "0.0813 0.0813"},  // propellant mass equal to the total
      {"0.500 70.25", "0.010 70.25"},     // two points at one time
      {"0.500 70.25", "0.500 0.0"},       // zero thrust before the last point
      {"0.500 70.25", "0.500 -70.25"},    // a negative value
      {"0.500 70.25", "0.500\t70.25"},    // a tab
      {"F66 29", "F66  29"},              // two blanks
      {"29 83", "0.5 83"},                // a diameter under 1 mm
      {"0.925 0.0", "0.925 1.0"},         // a curve not ending at zero
      {"0.010 20.5", "0 20.5"},           // a first point at 0 s
  };
  for (const auto& b : broken) {
    std::string text = good;
    text.replace(text.find(b.from), b.from.size(), b.to);
    EXPECT_FALSE(eng_rule_breaks(text).empty()) << text;
  }
}

// A curve of N points from T0 every STEP with thrust THRUST(t), ending at
// zero one step later, as a burn polyline from (0, 0).
Curve polyline(double t0, double step, std::size_t n, const std::function<double(double)>& thrust) {
  Curve p{{0.0}, {0.0}};
  for (std::size_t k = 0; k < n; ++k) {
    const double t = t0 + static_cast<double>(k) * step;
    p.add(t, thrust(t));
  }
  p.add(p.t.back() + step, 0.0);
  return p;
}

double polyline_impulse(const Curve& p) { return curve_impulse(from_ignition(p)); }

TEST(EngineFile, OddCurvesMakeFilesAStrictReaderTakes) {
  const auto hump = [](double peak, double length) {
    return [=](double t) { return peak * std::sin(std::numbers::pi * std::min(t, length) / length) + 0.01 * peak; };
  };
  const struct {
    const char* name;
    Curve curve;
  } cases[] = {
      // The 5 % crossing a few microseconds before a record.
      {"1 kHz", polyline(3e-6, 0.001, 900, hump(80.0, 0.9))},
      {"1 MHz", polyline(1e-6, 1e-6, 3000, hump(40.0, 0.003))},
      {"3 mN", polyline(0.001, 0.001, 1000, hump(0.003, 1.0))},
      {"2-point burn", {{0.0, 0.001, 0.002}, {0.0, 5.0, 0.0}}},
      {"chuffing", polyline(0.001, 0.001, 3000, [](double t) { return std::fmod(t, 0.5) < 0.25 ? 100.0 : 0.0; })},
      {"negative tail", polyline(0.001, 0.001, 1000, [](double t) { return t < 0.9 ? 200.0 : -2.0; })},
      {"200 s", polyline(0.1, 0.1, 2000, hump(1000.0, 200.0))},
  };
  for (const auto& c : cases) {
    const Curve reduced = reduce_curve(c.curve);
    const PrintedCurve printed = printed_curve(reduced);
    EngineMotor motor = f66();
    motor.designation = designation(*motor_class(printed.It), printed.It / printed.points.back().t_value);
    ASSERT_EQ(engine_motor_problem(motor), "") << c.name;
    const std::string eng = eng_text(motor, printed);
    EXPECT_EQ(eng_rule_breaks(eng), std::vector<std::string>{}) << c.name << "\n" << eng;
    EXPECT_EQ(rse_rule_breaks(rse_text(motor, printed)), std::vector<std::string>{}) << c.name;
    const double It = polyline_impulse(c.curve);
    const EngFile read = read_eng(eng);
    EXPECT_NEAR(eng_impulse(read), It, 0.005 * It) << c.name << "\n" << eng;
    EXPECT_NEAR(printed.It, eng_impulse(read), 1e-9 * It) << c.name;
    // Round trips: the inspector's own reader takes both files back, impulse and masses kept.
    PublishedMotor back_eng, back_rse;
    std::string problem;
    ASSERT_TRUE(read_eng_motor(eng, &back_eng, &problem)) << c.name << ": " << problem;
    ASSERT_TRUE(read_rse_motor(rse_text(motor, printed), &back_rse, &problem)) << c.name << ": " << problem;
    EXPECT_NEAR(curve_impulse(back_eng.points), It, 0.005 * It) << c.name;
    EXPECT_NEAR(curve_impulse(back_rse.points), It, 0.005 * It) << c.name;
    EXPECT_EQ(back_rse.propellant_mass, motor.propellant_mass);
  }
}

TEST(EngineFile, HeaderHoldsEveryValueAStrictReaderNeeds) {
  const PrintedCurve curve = printed_curve(Curve{{0.01, 0.5, 0.925}, {20.5, 70.25, 0.0}});
  EngineMotor tiny = f66();
  tiny.propellant_mass = 0.000004;  // 4 mg: no longer 0.00000
  tiny.total_mass = 0.0000041;
  tiny.maker = "Equipe-X";
  tiny.delays = "P";
  const EngFile eng = read_eng(eng_text(tiny, curve));
  ASSERT_TRUE(eng.well_formed);
  EXPECT_EQ(eng.delays, "P");
  EXPECT_EQ(eng.maker, "Equipe-X");
  EXPECT_EQ(eng.propellant_mass, 0.000004);
  EXPECT_LT(eng.propellant_mass, eng.total_mass);
  EXPECT_EQ(eng.points[1].F, 70.25);
}

TEST(EngineFile, MotorsNoReaderTakesAreRefused) {
  EXPECT_EQ(engine_motor_problem(f66()), "");
  const std::vector<std::function<void(EngineMotor&)>> breaks = {
      [](EngineMotor& m) { m.designation = "motor"; }, [](EngineMotor& m) { m.designation = "F"; },
      [](EngineMotor& m) { m.designation = ""; },      [](EngineMotor& m) { m.diameter = 0.9; },
      [](EngineMotor& m) { m.length = NAN; },          [](EngineMotor& m) { m.propellant_mass = m.total_mass; },
      [](EngineMotor& m) { m.propellant_mass = 0.0; }, [](EngineMotor& m) { m.total_mass = INFINITY; },
      [](EngineMotor& m) { m.delays = "4,6"; },        [](EngineMotor& m) { m.delays = "-6"; },
      [](EngineMotor& m) { m.delays = "6-"; },         [](EngineMotor& m) { m.maker = "Equipe X"; },
      [](EngineMotor& m) { m.maker = "a;b"; },
  };
  for (std::size_t i = 0; i < breaks.size(); ++i) {
    EngineMotor m = f66();
    breaks[i](m);
    EXPECT_NE(engine_motor_problem(m), "") << i;
  }
  for (const char* name : {"1/2A3", "1/8A0.0030", "O5000"}) {
    EngineMotor m = f66();
    m.designation = name;
    EXPECT_EQ(engine_motor_problem(m), "") << name;
  }
  EXPECT_EQ(designation(*motor_class(0.003), 0.003), "1/8A0.0030");
}

// Each attribute in the format's unit: sizes in mm, masses in g, the
// figures from the curve.
TEST(EngineFile, RseAttributesInTheFormatsUnits) {
  const PrintedCurve curve = printed_curve(Curve{{0.01, 0.5, 0.925}, {20.5, 70.25, 0.0}});
  const std::string rse = rse_text(f66(), curve);
  EXPECT_EQ(rse_rule_breaks(rse), std::vector<std::string>{}) << rse;
  auto e = xml_elements(rse, "engine").at(0);
  EXPECT_EQ(e["code"], "F66");
  EXPECT_EQ(e["mfg"], "talvironeska");
  EXPECT_EQ(e["Type"], "single-use");
  EXPECT_EQ(e["dia"], "29.0");
  EXPECT_EQ(e["len"], "83.0");
  EXPECT_EQ(e["initWt"], "81.30");
  EXPECT_EQ(e["propWt"], "30.00");
  EXPECT_EQ(e["delays"], "4,6,8");
  EXPECT_EQ(e["auto-calc-mass"], "0");
  const double It = 0.01 * 20.5 / 2 + 0.49 * (20.5 + 70.25) / 2 + 0.425 * 70.25 / 2;
  EXPECT_EQ(e["Itot"], fixed(It, 4));
  EXPECT_EQ(e["burn-time"], "0.925000");
  EXPECT_EQ(e["peakThrust"], "70.2500");
  EXPECT_EQ(e["Isp"], fixed(It / (0.03 * 9.80665), 3));
  EXPECT_EQ(e["massFrac"], "36.90");
  const auto points = xml_elements(rse, "eng-data");
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0].at("m"), "30.00");
  EXPECT_EQ(points[2].at("t"), "0.50000");
  EXPECT_EQ(points[2].at("f"), "70.250");
  EXPECT_EQ(points[3].at("m"), "0.00");
}

}  // namespace
