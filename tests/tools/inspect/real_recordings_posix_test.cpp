// The inspector on real recordings with published figures (see
// tests/README.md for their origin).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "eng_reading.h"
#include "tools/inspect/eng_export.h"
#include "tools/inspect/inspection.h"
#include "tools/inspect/sampling.h"
#include "tools/inspect/zero_offset.h"

namespace {

InspectInput recording(const std::string& relative, std::int32_t rate) {
  std::ifstream in(std::string(TALVIRONESKA_SOURCE_DIR) + "/" + relative, std::ios::binary);
  EXPECT_TRUE(in) << relative;
  const std::string text(std::istreambuf_iterator<char>(in), {});
  InspectInput input;
  input.thrust_name = relative;
  input.file = read_thrust_text(text);
  input.rate = rate;
  return input;
}

bool has(const std::string& report, const std::string& text) { return report.find(text) != std::string::npos; }

TEST(RealRecordings, F67CertificationFiring) {
  const InspectInput input = recording("examples/f67w/f67w.dat", 500);
  const InspectResult result = inspect(input);
  EXPECT_EQ(result.status, kStatusFits) << result.report;
  ASSERT_TRUE(result.burn);
  const Burn& b = *result.burn;
  const auto& r = input.file.records;
  EXPECT_EQ(suggested_ti(r, b), 2.126);
  EXPECT_EQ(suggested_tf(r, b), 3.050);
  // The published sheet: 61.409 N s, 66.460 N, 0.924 s, peak 86.156 N.
  EXPECT_NEAR(b.It, 61.409, 0.005 * 61.409);
  EXPECT_NEAR(b.Fmed, 66.460, 0.005 * 66.460);
  EXPECT_NEAR(b.duration, 0.924, 0.005 * 0.924);
  EXPECT_EQ(b.Fmax, 86.156);
  EXPECT_EQ(r[b.peak].t, 2.522);
  EXPECT_EQ(result.designation, "F66");
  EXPECT_TRUE(has(result.report, "    2.126           ti (s)\n    3.05            tf (s)\n"));
  // The program's own trapezoid on the suggested window.
  EXPECT_TRUE(has(result.report, "It = 61.399 N·s, Fmed = 66.449 N, tq = 0.9240 s, Fmax = 86.156 N em 2.522 s, classe F, 463 pontos"))
      << result.report;
  EXPECT_FALSE(has(result.report, "AVISO"));
}

TEST(RealRecordings, F67EngineFileReadsBack) {
  const InspectInput input = recording("examples/f67w/f67w.dat", 500);
  const InspectResult result = inspect(input);
  ASSERT_TRUE(result.burn);
  EngHeader header;
  header.name = result.designation;
  header.propellant_mass = 0.030;
  header.comment = "f67w";
  const EngFile eng = read_eng(eng_text(header, reduce_curve(burn_polyline(input.file.records, *result.burn))));
  ASSERT_TRUE(eng.well_formed);
  EXPECT_EQ(eng.name, "F66");
  EXPECT_LE(eng.points.size(), 32u);
  EXPECT_EQ(eng.points.back().F, 0.0);
  EXPECT_NEAR(eng.points.back().t, 0.924, 0.005);
  EXPECT_NEAR(eng_impulse(eng), 61.409, 0.005 * 61.409);
}

TEST(RealRecordings, IrregularLoggerIsFlaggedWithItsError) {
  const InspectInput input = recording("tests/data/real/hanaro-knsb/knsb_250220_irregular.dat", 100);
  const InspectResult result = inspect(input);
  EXPECT_EQ(result.status, kStatusWarnings);
  const Sampling s = measure_sampling(input.file.records, 100);
  EXPECT_EQ(s.gaps, 361u);
  EXPECT_NEAR(s.largest_gap, 0.173, 0.001);
  // Read at a fixed 100 Hz the impulse comes out about 22 % too high.
  EXPECT_TRUE(has(result.report, "AVISO: o passo fixo 1/w muda o impulso em +21.9 % neste arquivo")) << result.report;
  EXPECT_TRUE(has(result.report, "AVISO: 361 lacunas maiores que 1,5/w, a maior de 173.287 ms"));
  ASSERT_TRUE(result.motor_class);
  EXPECT_EQ(result.motor_class->letter, "M");
  EXPECT_NEAR(result.burn->It, 6772.6, 1.0);
}

TEST(RealRecordings, UntaredStandsAreFlaggedWithTheirOffsets) {
  const struct {
    const char* file;
    double offset;
    const char* warning;
  } cases[] = {
      {"tests/data/real/olemiss-l1420r/l1420r_test1.dat", -94.07,
       "AVISO: deslocamento do zero de -94.07 N antes da ignição, ruído 13.46 N; ele muda o impulso do programa em -7.1 %"},
      {"tests/data/real/olemiss-l1420r/l1420r_test2.dat", -80.55,
       "AVISO: deslocamento do zero de -80.55 N antes da ignição, ruído 12.51 N; ele muda o impulso do programa em -5.3 %"},
  };
  for (const auto& c : cases) {
    const InspectInput input = recording(c.file, 2000);
    const InspectResult result = inspect(input);
    EXPECT_EQ(result.status, kStatusWarnings) << c.file;
    ASSERT_TRUE(result.burn) << c.file;
    const auto before = before_ignition(input.file.records, *result.burn);
    ASSERT_TRUE(before) << c.file;
    EXPECT_NEAR(before->mean, c.offset, 0.01) << c.file;
    EXPECT_TRUE(has(result.report, c.warning)) << result.report;
    EXPECT_EQ(result.motor_class->letter, "L") << c.file;
  }
}

}  // namespace
