// Formatter benchmarks, per item:
//   BM_CurveLine         one curve data line (F12.7, 1PE15.6, CR LF) into a buffer
//   BM_CurveLineExact    the same line by the general path alone (std::to_chars)
//   BM_FixedField        F12.7 of a curve time
//   BM_ExpField          1PE15.6 of a thrust value
//   BM_CurveDataFile     write_curve_data: a whole file of 10^6 points, per line
// Values are those of a sampled test: times k dt, thrust rising, holding and
// falling, with zeros at the ends.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "core/run_context.h"
#include "output/curve_data.h"
#include "output/field.h"

namespace {

constexpr int kPoints = 1 << 16;

struct Curve {
  std::vector<double> t;
  std::vector<double> F;
};

const Curve& sample_curve() {
  static const Curve curve = [] {
    Curve c;
    std::mt19937_64 rng(42);
    std::normal_distribution<double> noise(0.0, 0.8);
    const double dt = 1.0 / 20000;
    for (int k = 0; k < kPoints; ++k) {
      const double x = static_cast<double>(k) / kPoints;
      const double shape = x < 0.1 ? x * 10 : x < 0.8 ? 1.0 : std::max(0.0, (0.9 - x) * 10);
      c.t.push_back(static_cast<double>(k) * dt);
      c.F.push_back(std::max(0.0, 152.3 * shape + noise(rng)));
    }
    return c;
  }();
  return curve;
}

char* exact_curve_line(char* out, double time, double thrust) {
  write_fixed_field_exact(out, time, 12, 7);
  write_exp_field_exact(out + 12, thrust, 15, 6);
  out[27] = '\r';
  out[28] = '\n';
  return out + 29;
}

template <char* (*Line)(char*, double, double)>
void curve_lines(benchmark::State& state) {
  const Curve& c = sample_curve();
  std::vector<char> buffer(kCurveLineMax * 1024);
  int k = 0;
  for (auto _ : state) {
    char* p = buffer.data();
    for (int i = 0; i < 1024; ++i, k = (k + 1) & (kPoints - 1)) p = Line(p, c.t[k], c.F[k]);
    benchmark::DoNotOptimize(p);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 1024);
}

void BM_CurveLine(benchmark::State& state) { curve_lines<format_curve_line>(state); }
void BM_CurveLineExact(benchmark::State& state) { curve_lines<exact_curve_line>(state); }

void BM_FixedField(benchmark::State& state) {
  const Curve& c = sample_curve();
  char out[12];
  int k = 0;
  for (auto _ : state) {
    write_fixed_field(out, c.t[k], 12, 7);
    benchmark::DoNotOptimize(out);
    k = (k + 1) & (kPoints - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ExpField(benchmark::State& state) {
  const Curve& c = sample_curve();
  char out[15];
  int k = 0;
  for (auto _ : state) {
    write_exp_field(out, c.F[k], 15, 6);
    benchmark::DoNotOptimize(out);
    k = (k + 1) & (kPoints - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_CurveDataFile(benchmark::State& state) {
  const Curve& c = sample_curve();
  const std::int32_t n = 1000000;
  RunContext rc;
  const char name[] = "/tmp/talvironeska_format_bench";
  std::memcpy(rc.case_name.data(), name, sizeof name - 1);
  std::memset(rc.case_name.data() + sizeof name - 1, ' ', rc.case_name.size() - (sizeof name - 1));
  rc.title.fill(' ');
  rc.nc = n;
  rc.dt = 1.0 / 20000;
  rc.F.reset(new double[n]);
  for (std::int32_t k = 0; k < n; ++k) rc.F[k] = c.F[k & (kPoints - 1)];
  for (auto _ : state) write_curve_data(rc);
  state.SetItemsProcessed(state.iterations() * n);
  std::remove("/tmp/talvironeska_format_bench_saida_B.txt");
}

}  // namespace

BENCHMARK(BM_CurveLine);
BENCHMARK(BM_CurveLineExact);
BENCHMARK(BM_FixedField);
BENCHMARK(BM_ExpField);
BENCHMARK(BM_CurveDataFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
