// The inspection of logs of the shapes real stands write: the event it
// chooses, the events it lists, its warnings and its figures.
#include "inspect/firing/firing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "input/thrust_window.h"
#include "inspect/check/inspection.h"

namespace {

// A motor firing from T0: a linear rise to PEAK in RISE s, then a linear
// fall to 80 % of it by 80 % of LENGTH, then to zero at LENGTH.
double firing(double t, double t0, double peak, double rise, double length) {
  const double x = t - t0;
  if (x <= 0.0 || x >= length) return 0.0;
  if (x < rise) return peak * x / rise;
  if (x < 0.8 * length) return peak * (1.0 - 0.2 * (x - rise) / (0.8 * length - rise));
  return peak * 0.8 * (length - x) / (0.2 * length);
}

// The impulse of that firing.
double firing_impulse(double peak, double rise, double length) {
  return peak * rise / 2 + 0.9 * peak * (0.8 * length - rise) + 0.8 * peak * 0.2 * length / 2;
}

// Small deterministic noise, +-AMPLITUDE.
struct Noise {
  unsigned state = 12345;
  double amplitude = 0.05;
  double operator()() {
    state = state * 1103515245u + 12345u;
    return amplitude * (static_cast<double>((state >> 16) & 0x7fff) / 16383.5 - 1.0);
  }
};

struct Log {
  std::vector<double> t;
  std::vector<double> F;
  std::string text() const {
    std::string s;
    char line[64];
    for (std::size_t i = 0; i < t.size(); ++i) {
      std::snprintf(line, sizeof line, "%.6f %.4f\n", t[i], F[i]);
      s += line;
    }
    return s;
  }
};

// Records every 1/RATE s over [0, DURATION) of SHAPE plus noise.
Log sampled(double rate, double duration, const std::function<double(double)>& shape, double noise = 0.05) {
  Log log;
  Noise n{12345, noise};
  for (std::size_t i = 0; static_cast<double>(i) / rate < duration; ++i) {
    const double t = static_cast<double>(i) / rate;
    log.t.push_back(t);
    log.F.push_back(shape(t) + n());
  }
  return log;
}

Log hand_ramps_then_burn() {
  return sampled(100, 40, [](double t) {
    if (t > 10 && t < 11.7) return 3 + 44 * (t - 10) / 1.7;  // to 47 N, then off the cell
    if (t >= 11.7 && t < 11.9) return 47 * (11.9 - t) / 0.2;
    if (t > 13 && t < 14.7) return 3 + 60 * (t - 13) / 1.7;  // to 63 N
    if (t >= 14.7 && t < 14.9) return 63 * (14.9 - t) / 0.2;
    return firing(t, 30, 36, 0.2, 3.2);
  });
}

Log glitch_and_gap() {
  Log log = sampled(10, 30, [](double t) { return firing(t, 15, 50, 0.3, 2.5); });
  // One record 6x the burn at 8 s, then nothing for 0.4 s.
  for (std::size_t i = 0; i < log.t.size(); ++i) {
    if (std::fabs(log.t[i] - 8.0) < 1e-9) log.F[i] = 300;
    if (log.t[i] > 8.05 && log.t[i] < 8.45) log.t[i] = -1;
  }
  Log kept;
  for (std::size_t i = 0; i < log.t.size(); ++i) {
    if (log.t[i] >= 0) {
      kept.t.push_back(log.t[i]);
      kept.F.push_back(log.F[i]);
    }
  }
  return kept;
}

Log batched_stamps() {
  // 100 records a second, stamped ten at a time.
  Log log = sampled(100, 20, [](double t) { return firing(t, 5, 40, 0.1, 3); });
  for (double& t : log.t) t = std::floor(t * 10 + 1e-9) / 10;
  return log;
}

Log bursts() {
  // Nine steps of 1 ms, then one of 10 ms.
  Log log;
  Noise n;
  double t = 0;
  for (std::size_t i = 0; t < 8; ++i) {
    log.t.push_back(t);
    log.F.push_back(firing(t, 2, 80, 0.05, 3) + n());
    t += i % 10 == 9 ? 0.010 : 0.001;
  }
  return log;
}

Log reversed(Log log) {
  std::reverse(log.t.begin(), log.t.end());
  std::reverse(log.F.begin(), log.F.end());
  return log;
}

struct Case {
  const char* name;
  Log log;
  int status;
  std::size_t chosen;                // 1-based; 0 for none
  std::vector<EventShape> shapes;    // of every event listed, in order
  std::vector<const char*> present;  // in the report
  std::vector<const char*> absent;
  double It;  // the standard impulse, within 2 %; 0 to skip
  const char* letter;
};

std::vector<Case> cases() {
  const auto burn = EventShape::burn;
  const auto spike = EventShape::spike;
  const auto ramp = EventShape::ramp;
  // clang-format off
  return {
      {"hand ramps larger than the burn, before it", hand_ramps_then_burn(), kStatusFits, 3, {ramp, ramp, burn},
       {"3: 30.010 s a 33.180 s", "rampa lenta ou queda brusca", "<- a queima analisada"},
       {"AVISO"}, firing_impulse(36, 0.2, 3.2), "G"},
      {"a one-record glitch six times the burn, then a 0.4 s gap", glitch_and_gap(), kStatusFits, 2, {spike, burn},
       {"1: 8.000 s a 8.000 s, 1 registro, pico 300.", "1 pico isolado fica fora da queima, do pico e da classe",
        "empuxo máximo 49.9"},
       {"AVISO"}, firing_impulse(50, 0.3, 2.5), "G"},
      {"a spike on a log whose zero is 16 % of the peak",
       sampled(100, 20,
               [](double t) { return 8 + firing(t, 8, 50, 0.1, 2) + (std::fabs(t - 3) < 0.001 ? 40 : 0); }),
       kStatusWarnings, 2, {spike, burn},
       {"AVISO: deslocamento do zero de 8.00 N antes da ignição", "N acima do zero de "}, {}, firing_impulse(50, 0.1, 2),
       "F"},
      {"a long tail-off to the end of the log",
       sampled(100, 9, [](double t) { return t < 6 ? firing(t, 1, 1000, 0.2, 4) + (t > 1 ? 40 * std::exp(-(t - 1) / 8) : 0)
                                                    : 40 * std::exp(-(t - 1) / 2.6); }),
       kStatusWarnings, 1, {burn},
       {"AVISO: a queima termina numa cauda que ainda cai no fim do registro", "), depois 3"}, {}, 0.0, "L"},
      {"a log that starts at 8.8 N and ends at -47 N",
       sampled(100, 6, [](double t) { return t < 4 ? 8.8 + firing(t, 0, 500, 0.2, 4) : -47 * (t - 4) / 2; }),
       kStatusWarnings, 1, {burn},
       {"AVISO: o registro não tem uma parte em zero no início", "AVISO: o registro não tem uma parte em zero no fim",
        "AVISO: o registro termina em -4"},
       {"cabem nas suposições", "AVISO: a queima termina numa cauda"}, firing_impulse(500, 0.2, 4) + 8.8 * 4, "K"},
      {"100 records a second with batched stamps", batched_stamps(), kStatusWarnings, 1, {burn},
       {"AVISO: tempos em lotes", "    100             w (Hz)"}, {"AVISO: o passo fixo"}, firing_impulse(40, 0.1, 3),
       "G"},
      {"10.4 Hz", sampled(10.4, 30, [](double t) { return firing(t, 10, 60, 0.3, 4); }), kStatusWarnings, 1, {burn},
       {"AVISO: nenhum w inteiro cabe em 0.5 % na taxa medida de 10.40 Hz: com w = 10 Hz o impulso do programa muda em "
        "+4.0 %"},
       {"w (Hz)"}, firing_impulse(60, 0.3, 4), "H"},
      {"mixed 1 ms and 10 ms steps", bursts(), kStatusWarnings, 1, {burn}, {"AVISO: amostragem em rajadas"}, {}, firing_impulse(80, 0.05, 3),
       "H"},
      {"an ejection charge 6 s after burnout",
       sampled(100, 20, [](double t) { return firing(t, 3, 60, 0.1, 2) + (t > 11 && t < 11.04 ? 25 : 0); }),
       kStatusFits, 1, {burn, burn},
       {"<- carga de ejeção?", "atraso da ejeção: 6.0"}, {"AVISO"}, firing_impulse(60, 0.1, 2), "G"},
      {"a 0.5 kg load left on the cell",
       sampled(100, 8, [](double t) { return 0.5 * 9.80665 + firing(t, 3, 30, 0.1, 1.6); }), kStatusWarnings, 1,
       {burn},
       {"AVISO: deslocamento do zero de 4.90 N antes da ignição", "ficou nela uma carga de 0.500 kg"}, {},
       firing_impulse(30, 0.1, 1.6), "E"},
      {"times running backwards", reversed(sampled(100, 8, [](double t) { return firing(t, 3, 30, 0.1, 1.6); })),
       kStatusUnusable, 0, {}, {}, {"Janela sugerida"}, 0.0, ""},
  };
  // clang-format on
}

TEST(Firing, LogsOfEveryShape) {
  for (const Case& c : cases()) {
    InspectInput in;
    in.thrust_name = "ensaio.dat";
    in.source.in_memory = true;
    in.source.text = c.log.text();
    in.file = read_thrust_text(in.source.text);
    const InspectResult r = inspect(in);
    EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.report << r.error;
    const FiringAnalysis& a = r.firing;
    ASSERT_EQ(a.chosen.has_value(), c.chosen > 0) << c.name;
    if (a.chosen) {
      EXPECT_EQ(*a.chosen + 1, c.chosen) << c.name << "\n" << r.report;
    }
    std::vector<EventShape> shapes;
    for (const Event& e : a.scan.events) shapes.push_back(e.shape);
    EXPECT_EQ(shapes, c.shapes) << c.name << "\n" << r.report;
    for (const char* text : c.present)
      EXPECT_NE(r.report.find(text), std::string::npos) << c.name << ": " << text << "\n" << r.report;
    for (const char* text : c.absent)
      EXPECT_EQ(r.report.find(text), std::string::npos) << c.name << ": " << text << "\n" << r.report;
    if (c.It > 0.0) {
      ASSERT_TRUE(a.burn) << c.name;
      EXPECT_NEAR(a.burn->It, c.It, 0.02 * c.It) << c.name;
    }
    if (c.chosen > 0) {
      ASSERT_TRUE(a.burn_class.motor_class) << c.name;
      EXPECT_EQ(a.burn_class.motor_class->letter, c.letter) << c.name << "\n" << r.report;
    }
    EXPECT_TRUE(!a.window || a.ti < a.tf) << c.name;
  }
}

// A burn still going at the end of the log: the window ends early enough that
// the last record lies past it by the program's own sum, dt/2 + tf. With
// 100 Hz stamps read at w = 10, 4.03 - 0.05 > 3.98 but 0.05 + 3.98 is not
// below 4.03: tf = 3.98 would leave the program reading to the file's end.
TEST(Firing, AWindowCutByTheLogEndsBeforeItsLastRecordAsTheProgramAddsIt) {
  std::vector<double> t;
  std::vector<double> F;
  for (int k = 0; k <= 403; ++k) {
    t.push_back(k / 100.0);
    F.push_back(firing(t.back(), 1.0, 30.0, 0.1, 10.0));
  }
  FiringChoice choice;
  choice.w = 10;
  const FiringAnalysis a = analyse_firing(t, F, choice);
  ASSERT_TRUE(a.burn);
  ASSERT_TRUE(a.window);
  EXPECT_FALSE(a.burn->ends_in_file);
  EXPECT_TRUE(past_window(t.back(), a.tf, 0.1)) << a.tf;
  EXPECT_EQ(a.tf, 3.97);
}

}  // namespace

namespace {

// A cell wired the other way: the check names it and stops; read mirrored,
// the burn is there, and the program reading the file as it is is a warning.
TEST(Firing, AnInvertedCellIsNamedByTheCheck) {
  const Log log = sampled(100, 8, [](double t) { return -firing(t, 3, 30, 0.1, 1.6); });
  for (const bool mirrored : {false, true}) {
    InspectInput in;
    in.thrust_name = "ensaio.dat";
    in.source.in_memory = true;
    in.source.text = log.text();
    in.file = read_thrust_text(in.source.text);
    in.choice.inverted = mirrored;
    const InspectResult r = inspect(in);
    EXPECT_EQ(r.status, mirrored ? kStatusWarnings : kStatusUnusable) << r.report << r.error;
    EXPECT_EQ(r.firing.inverted, !mirrored);
    EXPECT_EQ(r.error.find("--inverter") != std::string::npos, !mirrored) << r.error;
    EXPECT_EQ(r.firing.burn.has_value(), mirrored);
  }
}

}  // namespace
