// Reader benchmarks: what one thrust data record costs.
//   BM_ParseRealPlain      one "%.6f"-style token through parse_real
//   BM_ScanPlainReal       the same token through the fast scanner alone
//   BM_ReadPairPlain       a whole "t F" record line through ListReader::read_pair
//   BM_ReadPairExp         a "%.6E<TAB>%.6E" record through read_pair
//   BM_ReadGeneralPair     the plain record through the general two-item read
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "input/list_reader.h"

namespace {

std::string records(bool exp, int n) {
  std::mt19937_64 rng(1);
  std::uniform_real_distribution<double> thrust(-1.0, 70.0);
  std::string text;
  char line[64];
  for (int i = 0; i < n; ++i) {
    const double t = i * 1e-6;
    const int len = exp ? std::snprintf(line, sizeof line, "%.6E\t%.6E\r\n", t, thrust(rng))
                        : std::snprintf(line, sizeof line, "%.6f %.5f\n", t, thrust(rng));
    text.append(line, static_cast<std::size_t>(len));
  }
  return text;
}

void read_all(benchmark::State& state, bool exp, bool general) {
  const int n = 100000;
  const std::string text = records(exp, n);
  for (auto _ : state) {
    StringLines lines(text);
    ListReader reader(lines);
    double t = 0, F = 0, sum = 0;
    const ReadItem items[] = {real_item(&t), real_item(&F)};
    for (int i = 0; i < n; ++i) {
      if (general) reader.read(items);
      else reader.read_pair(&t, &F);
      sum += F;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_ReadPairPlain(benchmark::State& state) { read_all(state, false, false); }
void BM_ReadPairExp(benchmark::State& state) { read_all(state, true, false); }
void BM_ReadGeneralPair(benchmark::State& state) { read_all(state, false, true); }

std::vector<std::string> tokens() {
  std::vector<std::string> out;
  std::mt19937_64 rng(2);
  std::uniform_real_distribution<double> thrust(-1.0, 70.0);
  char buffer[32];
  for (int i = 0; i < 1024; ++i) {
    std::snprintf(buffer, sizeof buffer, "%.5f", thrust(rng));
    out.emplace_back(buffer);
  }
  return out;
}

void BM_ParseRealPlain(benchmark::State& state) {
  const auto all = tokens();
  std::size_t i = 0;
  for (auto _ : state) {
    double v;
    benchmark::DoNotOptimize(parse_real(all[i++ & 1023], &v));
    benchmark::DoNotOptimize(v);
  }
}

void BM_ScanPlainReal(benchmark::State& state) {
  const auto all = tokens();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& s = all[i++ & 1023];
    double v;
    benchmark::DoNotOptimize(scan_plain_real(s.data(), s.data() + s.size(), &v));
    benchmark::DoNotOptimize(v);
  }
}

}  // namespace

BENCHMARK(BM_ParseRealPlain);
BENCHMARK(BM_ScanPlainReal);
BENCHMARK(BM_ReadPairPlain);
BENCHMARK(BM_ReadPairExp);
BENCHMARK(BM_ReadGeneralPair);
BENCHMARK_MAIN();
