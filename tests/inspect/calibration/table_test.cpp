#include "inspect/calibration/table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "inspect/calibration/cal_file.h"

namespace {

TEST(CalibrationTable, ReadsEveryDialectAndUnit) {
  const struct {
    const char* text;
    LoadUnit given;
    LoadUnit unit;
    int load_column;
    double second_load;  // N
    double second_reading;
  } cases[] = {
      {"massa_g;leitura\r\n0;8123\r\n200;92010,5\r\n", LoadUnit::none, LoadUnit::g, 0, 0.2 * 9.8, 92010.5},
      {"raw\tcarga (kg)\n100\t0\n5000\t1.5\n", LoadUnit::none, LoadUnit::kg, 1, 1.5 * 9.8, 5000},
      {"leitura,forca_N\n1,0\n2,10\n", LoadUnit::none, LoadUnit::N, 1, 10, 2},
      {"0 8123\n# a comment\n\n200 92010\n", LoadUnit::g, LoadUnit::g, 0, 0.2 * 9.8, 92010},
      {"massa_g;leitura\r\n0;1\r\n2;3\r\n", LoadUnit::N, LoadUnit::N, 0, 2, 3},  // --carga over the header
      {"0 1\r2 3\r", LoadUnit::kg, LoadUnit::kg, 0, 2 * 9.8, 3},
  };
  for (const auto& c : cases) {
    CalibrationTable t;
    std::string problem;
    ASSERT_TRUE(parse_calibration_table(c.text, c.given, 9.8, &t, &problem)) << c.text << problem;
    EXPECT_EQ(t.unit, c.unit) << c.text;
    EXPECT_EQ(t.load_column, c.load_column) << c.text;
    ASSERT_EQ(t.readings.size(), 2u) << c.text;
    EXPECT_NEAR(t.readings[1].load, c.second_load, 1e-12) << c.text;
    EXPECT_DOUBLE_EQ(t.readings[1].reading, c.second_reading) << c.text;
  }
}

TEST(CalibrationTable, RefusesWhatItCannotRead) {
  const struct {
    const char* text;
    const char* problem_holds;
  } cases[] = {
      {"0 1\n2 3\n", "--carga"},
      {"massa_g;leitura\n0;1\n2;x\n", "linha 3"},
      {"massa_g\n0\n1\n", "duas colunas"},
      {"massa_g;leitura\n0;1\n2\n", "linha 3"},
  };
  for (const auto& c : cases) {
    CalibrationTable t;
    std::string problem;
    EXPECT_FALSE(parse_calibration_table(c.text, LoadUnit::none, 9.8, &t, &problem)) << c.text;
    EXPECT_NE(problem.find(c.problem_holds), std::string::npos) << problem;
  }
}

TEST(CalFile, ReadsBackWhatItWrites) {
  Calibration c;
  c.a = -0.19032489160644728;
  c.b = 2.3373031044997395e-05;
  c.u_a = 0.00057;
  c.u_b = 2.58e-09;
  c.cov_ab = -1.1e-12;
  c.dof = 23;
  c.residual_sd = 0.00125;
  c.nonlinearity = 0.0004;
  c.top_load = 9.80665;
  c.loads = 5;
  c.readings = 25;
  c.gravity = 9.80665;
  c.u_gravity = 0.015;
  c.u_masses_rel = 1e-4;
  c.table = "calibra\xE7\xE3o.csv";
  for (const std::optional<double> hysteresis : {std::optional<double>(0.0036), std::optional<double>()}) {
    c.hysteresis = hysteresis;
    const std::string text = cal_file_text(c);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    Calibration back;
    std::string problem;
    ASSERT_TRUE(parse_cal_file(text, &back, &problem)) << problem;
    for (auto m : {&Calibration::a, &Calibration::b, &Calibration::u_a, &Calibration::u_b, &Calibration::cov_ab,
                   &Calibration::dof, &Calibration::residual_sd, &Calibration::nonlinearity, &Calibration::top_load,
                   &Calibration::gravity, &Calibration::u_gravity, &Calibration::u_masses_rel}) {
      EXPECT_EQ(back.*m, c.*m);
    }
    EXPECT_EQ(back.hysteresis, c.hysteresis);
    EXPECT_EQ(back.loads, 5u);
    EXPECT_EQ(back.readings, 25u);
  }
}

TEST(CalFile, RefusesBrokenFiles) {
  Calibration c;
  c.b = 1.0;
  c.dof = 3;
  c.top_load = 10;
  const std::string good = cal_file_text(c);
  const std::size_t b_line = good.find("\nb = ") + 1;
  const std::string without_b = good.substr(0, b_line) + good.substr(good.find('\n', b_line) + 1);
  const struct {
    std::string text;
    const char* problem_holds;
  } cases[] = {
      {without_b, "falta a chave \"b\""},
      {good + "lixo\r\n", "esperava chave"},
      {good + "u_a = um\r\n", "esperava chave"},
      {good + "b = 0\r\n", "impossíveis"},
  };
  for (const auto& k : cases) {
    Calibration back;
    std::string problem;
    EXPECT_FALSE(parse_cal_file(k.text, &back, &problem));
    EXPECT_NE(problem.find(k.problem_holds), std::string::npos) << problem;
  }
}

}  // namespace
