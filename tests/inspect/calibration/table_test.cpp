#include "inspect/calibration/table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

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

// TEXT, a .cal file, with KEY's line given VALUE instead.
std::string with_value(const std::string& text, const std::string& key, const std::string& value) {
  const std::size_t at = text.find("\n" + key + " = ") + 1;
  const std::size_t end = text.find('\n', at);
  return text.substr(0, at) + key + " = " + value + "\r" + text.substr(end);
}

void expect_same(const Calibration& back, const Calibration& c, const std::string& form) {
  for (auto m : {&Calibration::a, &Calibration::b, &Calibration::u_a, &Calibration::u_b, &Calibration::cov_ab,
                 &Calibration::dof, &Calibration::residual_sd, &Calibration::nonlinearity, &Calibration::top_load,
                 &Calibration::gravity, &Calibration::u_gravity, &Calibration::u_masses_rel}) {
    EXPECT_EQ(back.*m, c.*m) << form;
  }
  EXPECT_EQ(back.hysteresis, c.hysteresis) << form;
  EXPECT_EQ(back.loads, c.loads) << form;
  EXPECT_EQ(back.readings, c.readings) << form;
}

// The file as an editor may leave it: another line end, a byte order mark,
// the keys in another order, a decimal comma, notes and keys of its own.
TEST(CalFile, ReadsTheFileAsAnEditorLeavesIt) {
  Calibration c;
  c.a = -0.19;
  c.b = 2.3e-05;
  c.u_b = 2.5e-09;
  c.dof = 8;
  c.nonlinearity = 0.0004;
  c.hysteresis = 0.0036;
  c.top_load = 9.80665;
  c.loads = 5;
  c.readings = 10;
  c.gravity = 9.80665;
  c.u_gravity = 0.015;
  const std::string written = cal_file_text(c);
  const auto replaced = [](std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
    return text;
  };
  std::string reversed;
  for (std::size_t at = 0; at < written.size();) {
    const std::size_t end = written.find('\n', at) + 1;
    reversed.insert(0, written.substr(at, end - at));
    at = end;
  }
  const struct {
    const char* form;
    std::string text;
  } forms[] = {
      {"LF", replaced(written, "\r\n", "\n")},
      {"CR", replaced(written, "\r\n", "\r")},
      {"BOM", "\xEF\xBB\xBF" + written},
      {"BOM before a key", "\xEF\xBB\xBF" + written.substr(written.find("\nb = ") + 1)},
      {"reversed", reversed},
      {"decimal comma", replaced(written, "histerese = 0.0036", "histerese = 0,0036")},
      {"notes", written + "\t# medida em 2026\r\nbalanca = B2 # a de 50 kg\r\n"},
  };
  for (const auto& f : forms) {
    Calibration back;
    std::string problem;
    ASSERT_TRUE(parse_cal_file(f.text, &back, &problem)) << f.form << ": " << problem;
    expect_same(back, c, f.form);
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
      {with_value(good, "b", "0"), "impossíveis"},
      // Which of two values would hold is no guess to make.
      {good + "b = 2\r\n", "a chave \"b\" já foi dada"},
      {good + "cargas = 4\r\ncargas = 5\r\n", "a chave \"cargas\" já foi dada"},
      // Values no calibration has: they would turn the budget negative,
      // infinite or into a term that is not given.
      {with_value(good, "nao_linearidade", "-0.1"), "\"nao_linearidade\": negativo"},
      {with_value(good, "histerese", "-1"), "\"histerese\": negativo"},
      {with_value(good, "u_massas_padrao", "-0.01"), "\"u_massas_padrao\": negativo"},
      {with_value(good, "gravidade", "-9.8"), "\"gravidade\": negativo"},
      {with_value(good, "u_b", "1e300"), "\"u_b\": não é um número ou passa de"},
      {with_value(good, "nao_linearidade", "1e101"), "\"nao_linearidade\": não é um número ou passa de"},
      {with_value(good, "u_b", "1"), "não se distingue de zero"},
      {with_value(good, "u_massas_padrao", "1"), "massas padrão"},
      {with_value(with_value(good, "gravidade", "9.8"), "u_gravidade", "9.8"), "gravidade não é menor"},
  };
  for (const auto& k : cases) {
    Calibration back;
    std::string problem;
    EXPECT_FALSE(parse_cal_file(k.text, &back, &problem));
    EXPECT_NE(problem.find(k.problem_holds), std::string::npos) << problem;
  }
}

}  // namespace
