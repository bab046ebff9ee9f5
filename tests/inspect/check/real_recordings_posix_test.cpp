// The inspector on real recordings with published figures (see
// tests/README.md for their origin).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "inspect/check/inspection.h"
#include "inspect/engine/comparison.h"
#include "inspect/engine/engine_file.h"
#include "inspect/engine/engine_reading.h"
#include "inspect/firing/sampling.h"
#include "support/eng_reading.h"
#include "support/engine_rules.h"

namespace {

InspectInput recording(const std::string& relative, std::int32_t rate) {
  std::ifstream in(std::string(TALVIRONESKA_SOURCE_DIR) + "/" + relative, std::ios::binary);
  EXPECT_TRUE(in) << relative;
  InspectInput input;
  input.thrust_name = relative;
  input.source.in_memory = true;
  input.source.text.assign(std::istreambuf_iterator<char>(in), {});
  input.file = read_thrust_text(input.source.text);
  input.rate = rate;
  return input;
}

bool has(const std::string& report, const std::string& text) { return report.find(text) != std::string::npos; }

TEST(RealRecordings, F67CertificationFiring) {
  InspectInput input = recording("examples/f67w/f67w.dat", 500);
  const InspectResult result = inspect(input);
  EXPECT_EQ(result.status, kStatusFits) << result.report;
  ASSERT_TRUE(result.firing.burn);
  const Burn& b = *result.firing.burn;
  EXPECT_EQ(suggested_ti(input.file.t, b), 2.126);
  EXPECT_EQ(suggested_tf(input.file.t, b), 3.050);
  // The published sheet: 61.409 N s, 66.460 N, 0.924 s, peak 86.156 N.
  EXPECT_NEAR(b.It, 61.409, 0.005 * 61.409);
  EXPECT_NEAR(b.Fmed, 66.460, 0.005 * 66.460);
  EXPECT_NEAR(b.duration, 0.924, 0.005 * 0.924);
  EXPECT_NEAR(b.Fmax, 86.156, 1e-4);
  EXPECT_EQ(b.peak_time, 2.522);
  EXPECT_EQ(result.firing.burn_class.designation, "F66");
  EXPECT_TRUE(has(result.report, "    2.126           ti (s)\n    3.05            tf (s)\n"));
  // The program's own trapezoid on the suggested window; tmax from ti, as
  // the report gives it with the time-origin option 0 (the peak is at 2.522 s).
  EXPECT_TRUE(
      has(result.report,
          "It = 61.399 N·s, Fmed = 66.449 N, tq = 0.9240 s, Fmax = 86.156 N, tmax = 0.396 s, classe F, 463 pontos"))
      << result.report;
  // The ejection charge and its ringing are one event, 6.18 s after burnout.
  ASSERT_EQ(result.firing.scan.events.size(), 2u) << result.report;
  EXPECT_TRUE(has(result.report, "atraso da ejeção: 6.18 s")) << result.report;
  EXPECT_FALSE(has(result.report, "AVISO"));
}

TEST(RealRecordings, F67EngineFileReadsBack) {
  InspectInput input = recording("examples/f67w/f67w.dat", 500);
  input.want_eng = true;
  const InspectResult result = inspect(input);
  ASSERT_TRUE(result.firing.burn);
  EngineMotor motor;
  motor.designation = result.firing.burn_class.designation;
  motor.diameter = 29;
  motor.length = 83;
  motor.propellant_mass = 0.030;
  motor.total_mass = 0.081;
  motor.comment = "f67w";
  const std::string text = eng_text(motor, printed_curve(reduce_curve(result.burn_polyline)));
  EXPECT_EQ(eng_rule_breaks(text), std::vector<std::string>{}) << text;
  const EngFile eng = read_eng(text);
  ASSERT_TRUE(eng.well_formed);
  EXPECT_EQ(eng.name, "F66");
  EXPECT_LE(eng.points.size(), 32u);
  EXPECT_EQ(eng.points.back().F, 0.0);
  EXPECT_NEAR(eng.points.back().t, 0.924, 0.005);
  EXPECT_NEAR(eng_impulse(eng), 61.409, 0.005 * 61.409);
  // The example's published curve is this one, and a strict reader takes it.
  const std::string example = std::string(TALVIRONESKA_SOURCE_DIR) + "/examples/f67w/f67w_nar.eng";
  std::ifstream in(example, std::ios::binary);
  const std::string shipped{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(eng_rule_breaks(shipped), std::vector<std::string>{});
  PublishedMotor published;
  std::string problem;
  ASSERT_TRUE(read_published_motor(example, &published, &problem)) << problem;
  const CurveComparison c =
      compare_curves(from_ignition(result.burn_polyline), published.points, published.designation);
  EXPECT_NEAR(c.It_pct, 0.0, 0.5);
  EXPECT_EQ(c.reference.designation, "F66");
}

TEST(RealRecordings, IrregularLoggerIsFlaggedWithItsError) {
  InspectInput input = recording("tests/data/real/hanaro-knsb/knsb_250220_irregular.dat", 100);
  const InspectResult result = inspect(input);
  EXPECT_EQ(result.status, kStatusWarnings);
  const Sampling s = measure_sampling(input.file.t, 100);
  EXPECT_EQ(s.gaps, 361u);
  EXPECT_NEAR(s.largest_gap, 0.173, 0.001);
  // Read at a fixed 100 Hz the impulse comes out about 22 % too high.
  EXPECT_TRUE(has(result.report, "AVISO: o passo fixo 1/w muda o impulso em +21.9 % nesta janela")) << result.report;
  ASSERT_TRUE(result.firing.burn_class.motor_class);
  EXPECT_EQ(result.firing.burn_class.motor_class->letter, "M");
  // Above its zero of 89 N: the toolkit's own curve gives about 6411 N s.
  EXPECT_NEAR(result.firing.burn->It, 6411, 0.005 * 6411);
}

TEST(RealRecordings, UntaredStandsAreFlaggedWithTheirOffsets) {
  const struct {
    const char* file;
    double offset;
    const char* warning;
    const char* drift;
    // clang-format off
  } cases[] = {
      {"tests/data/real/olemiss-l1420r/l1420r_test1.dat", -96.61,
       // The program's impulse against the zero just before ignition (-90.15 N), not the one at the log's start.
       "AVISO: deslocamento do zero de -96.61 N antes da ignição, ruído 11.59 N; ele muda o impulso do programa em -7.2 %",
       "AVISO: o zero deriva 89.74 N do início ao fim"},
      {"tests/data/real/olemiss-l1420r/l1420r_test2.dat", -80.85,
       "AVISO: deslocamento do zero de -80.85 N antes da ignição, ruído 12.29 N; ele muda o impulso do programa em -5.4 %",
       "AVISO: o zero deriva 51.63 N do início ao fim"},
  };
  // clang-format on
  for (const auto& c : cases) {
    InspectInput input = recording(c.file, 2000);
    const InspectResult result = inspect(input);
    EXPECT_EQ(result.status, kStatusWarnings) << c.file;
    ASSERT_TRUE(result.firing.zero.start) << c.file;
    EXPECT_NEAR(result.firing.zero.start->mean, c.offset, 0.01) << c.file;
    EXPECT_TRUE(has(result.report, c.warning)) << result.report;
    EXPECT_TRUE(has(result.report, c.drift)) << result.report;
    EXPECT_FALSE(has(result.report, "cauda que ainda cai")) << result.report;
    EXPECT_FALSE(result.firing.ejection) << result.report;
    ASSERT_TRUE(result.firing.burn_class.motor_class) << c.file;
    EXPECT_EQ(result.firing.burn_class.motor_class->letter, "L") << c.file;
  }
}

}  // namespace
