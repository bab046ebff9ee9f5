#include "inspect/engine/engine_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "inspect/engine/comparison.h"

namespace {

// As makers and databases publish them: a comment block, CR LF, runs of
// spaces, the propellant's letter after the average thrust, a plugged
// delay among others, a point at 0 s, a blank line, a second motor.
constexpr char kPublished[] =
    ";  AeroTech F67W\r\n"
    "; from a certification sheet\r\n"
    "F67W 29 83 4-6-8-P 0.0301 0.0813 AT\r\n"
    "   0.000 0.000\r\n"
    "   0.010  20.50\r\n"
    "\r\n"
    "   0.500  70.25\r\n"
    "   0.925   0.00\r\n"
    "; another motor\r\n"
    "G80T 29 124 7 0.06 0.11 AT\r\n"
    "   0.1 80\r\n"
    "   0.2 0\r\n";

TEST(EngineReading, TakesWhatPublishedFilesHold) {
  PublishedMotor m;
  std::string problem;
  ASSERT_TRUE(read_eng_motor(kPublished, &m, &problem)) << problem;
  EXPECT_EQ(m.designation, "F67W");
  EXPECT_EQ(m.maker, "AT");
  EXPECT_EQ(m.total_mass, 0.0813);
  ASSERT_EQ(m.points.size(), 3u);  // the point at 0 s is the implicit start
  ASSERT_EQ(m.points.F.size(), 3u);
  EXPECT_EQ(m.points.F[1], 70.25);
  EXPECT_EQ(m.points.t[2], 0.925);
}

TEST(EngineReading, RefusesWhatTheWriterWouldRefuseNamingIt) {
  const struct {
    std::string from, to, said;
  } broken[] = {
      {"F67W 29", "F 29", "designação"},
      {" 4-6-8-P 0.0301", " 0.0301", "7 campos"},
      {"0.0301 0.0813", "0.0813 0.0813", "massa de propelente"},
      {"0.500  70.25", "0.010  70.25", "dois pontos"},
      {"0.500  70.25", "0.500  0", "empuxo zero antes"},
      {"0.500  70.25", "0.500  -70.25", "linha 7"},
      {"0.500  70.25", "0.500\t70.25", "tabulação"},
      {"29 83", "0.5 83", "1 mm"},
      {"0.925   0.00", "0.925   1.00", "último ponto"},
      {"4-6-8-P", "4,6", "atrasos"},
  };
  for (const auto& b : broken) {
    std::string text = kPublished;
    text.replace(text.find(b.from), b.from.size(), b.to);
    PublishedMotor m;
    std::string problem;
    EXPECT_FALSE(read_eng_motor(text, &m, &problem)) << b.to;
    EXPECT_NE(problem.find(b.said), std::string::npos) << problem;
  }
}

TEST(EngineReading, RseAsRockSimWritesIt) {
  const std::string rse =
      "<engine-database>\n <engine-list>\n"
      "  <engine mfg=\"Aero &amp; Tech\" code='F67W' Type=\"single-use\" dia=\"29\" len=\"83\" initWt=\"81.3\"\n"
      "          propWt=\"30.1\" delays=\"4,6,8\" auto-calc-mass=\"1\">\n"
      "   <comments>sheet</comments>\n   <data>\n"
      "    <eng-data t=\"0\" f=\"0\" m=\"30.1\" cg=\"41.5\"/>\n"
      "    <eng-data t=\"0.01\" f=\"20.5\"/>\n    <eng-data cg=\"41\" f=\"70.25\" t=\"0.5\"/>\n"
      "    <eng-data t=\"0.925\" f=\"0\"/>\n   </data>\n  </engine>\n </engine-list>\n</engine-database>\n";
  PublishedMotor m;
  std::string problem;
  ASSERT_TRUE(read_rse_motor(rse, &m, &problem)) << problem;
  EXPECT_EQ(m.maker, "Aero & Tech");
  EXPECT_EQ(m.designation, "F67W");
  EXPECT_DOUBLE_EQ(m.propellant_mass, 0.0301);  // grams in the file
  EXPECT_DOUBLE_EQ(m.total_mass, 0.0813);
  ASSERT_EQ(m.points.size(), 3u);
  EXPECT_EQ(m.points.t[1], 0.5);
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"propWt=\"30.1\"", "propWt=\"81.3\""},
                                 {"code='F67W' ", ""},
                                 {"f=\"70.25\"", "f=\"x\""},
                                 {"t=\"0.5\"", "t=\"0.01\""}}) {
    std::string text = rse;
    text.replace(text.find(from), from.size(), to);
    PublishedMotor bad;
    EXPECT_FALSE(read_rse_motor(text, &bad, &problem)) << to;
  }
}

TEST(CurveComparison, KnownAnswers) {
  const Curve firing{{0.01, 0.1, 0.5, 0.925}, {20.5, 80.0, 70.25, 0.0}};
  const CurveComparison same = compare_curves(firing, firing, "F67W");
  for (double pct : {same.It_pct, same.Fmed_pct, same.Fmax_pct, same.duration_pct, same.rms}) EXPECT_EQ(pct, 0.0);
  Curve lower = firing;
  for (double& F : lower.F) F /= 1.05;
  const CurveComparison more = compare_curves(firing, lower, "F63");
  EXPECT_NEAR(more.It_pct, 5.0, 1e-9);
  EXPECT_NEAR(more.Fmed_pct, 5.0, 1e-9);
  EXPECT_NEAR(more.Fmax_pct, 5.0, 1e-9);
  EXPECT_NEAR(more.duration_pct, 0.0, 1e-12);
  EXPECT_EQ(more.reference.designation, "F63");
  EXPECT_EQ(more.firing.designation, "F54");  // 49.8 N s over 0.925 s
  // The difference is the firing's curve times 0.05 / 1.05: its RMS over the burn.
  double sum = 0.0;
  const int n = 100000;
  for (int k = 0; k < n; ++k) {
    const double t = 0.925 * (k + 0.5) / n;
    std::size_t i = 0;
    while (firing.t[i] < t) ++i;
    const double ta = i == 0 ? 0.0 : firing.t[i - 1];
    const double Fa = i == 0 ? 0.0 : firing.F[i - 1];
    const double F = Fa + (firing.F[i] - Fa) * (t - ta) / (firing.t[i] - ta);
    sum += std::pow(F * 0.05 / 1.05, 2);
  }
  EXPECT_NEAR(more.rms, std::sqrt(sum / n), 1e-3);
  const std::string text = comparison_text(more, "ref.eng");
  EXPECT_NE(text.find("It (N s)"), std::string::npos) << text;
  EXPECT_NE(text.find("+5,0 %"), std::string::npos) << text;
  EXPECT_NE(text.find("F63"), std::string::npos) << text;
}

}  // namespace
