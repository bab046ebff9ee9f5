// Reader benchmarks: what one thrust data record costs.
//   BM_ParseRealPlain      one "%.6f"-style token through parse_real
//   BM_ScanPlainReal       the same token through the fast scanner alone
//   BM_ReadPairPlain       a whole "t F" record line through ListReader::read_pair
//   BM_ReadPairExp         a "%.6E<TAB>%.6E" record through read_pair
//   BM_ReadPairColumns     a "t F 7" record, three columns, through read_pair
//   BM_ReadGeneralPair     the plain record through the general two-item read
//   BM_ReadThrustData/0,1,2  the whole reading step on a file of plain (0), exp (1)
//                          or three-column (2) records, as the run does it (block
//                          scan, helper thread; three columns go to read_pair)
// The readers refuse decimal commas, as the program's do.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "analysis/curve.h"
#include "analysis/figures.h"
#include "input/list_reader.h"
#include "input/number.h"
#include "input/thrust_data.h"

namespace {

enum class Form { plain, exp, columns };

std::string records(Form form, int n) {
  std::mt19937_64 rng(1);
  std::uniform_real_distribution<double> thrust(-1.0, 70.0);
  const char* const format = form == Form::exp     ? "%.6E\t%.6E\r\n"
                             : form == Form::plain ? "%.6f %.5f\n"
                                                   : "%.6f %.5f 7\n";
  std::string text;
  char line[64];
  for (int i = 0; i < n; ++i) {
    const int len = std::snprintf(line, sizeof line, format, i * 1e-6, thrust(rng));
    text.append(line, static_cast<std::size_t>(len));
  }
  return text;
}

void read_all(benchmark::State& state, Form form, bool general) {
  const int n = 100000;
  const std::string text = records(form, n);
  for (auto _ : state) {
    StringLines lines(text);
    ListReader reader(lines, DecimalCommas::refused);
    double t = 0, F = 0, sum = 0;
    const ReadItem items[] = {real_item(&t), real_item(&F)};
    for (int i = 0; i < n; ++i) {
      if (general)
        reader.read(items);
      else
        reader.read_pair(&t, &F);
      sum += F;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_ReadPairPlain(benchmark::State& state) { read_all(state, Form::plain, false); }
void BM_ReadPairExp(benchmark::State& state) { read_all(state, Form::exp, false); }
void BM_ReadPairColumns(benchmark::State& state) { read_all(state, Form::columns, false); }
void BM_ReadGeneralPair(benchmark::State& state) { read_all(state, Form::plain, true); }

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

void BM_ReadThrustData(benchmark::State& state) {
  const Form form = static_cast<Form>(state.range(0));
  const int n = 2000000;
  const auto name = std::filesystem::temp_directory_path() / "talvironeska-reader-bench.dat";
  {
    const std::string text = records(form, n) + "1000 0\n";  // ends the reading
    std::FILE* f = std::fopen(name.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  RunContext rc;
  rc.original.fill(' ');
  std::memcpy(rc.original.data(), name.c_str(), name.string().size());
  rc.ti = 0.0;
  rc.tf = 10.0;
  rc.w = 1000000;
  rc.nmax = n;
  allocate_curve_arrays(rc);
  compute_parameter_figures(rc);
  for (auto _ : state) {
    rc.nc = 0;
    read_thrust_data(rc);
    benchmark::DoNotOptimize(rc.Fmax);
  }
  state.SetItemsProcessed(state.iterations() * n);
  std::filesystem::remove(name);
}

}  // namespace

BENCHMARK(BM_ReadThrustData)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseRealPlain);
BENCHMARK(BM_ScanPlainReal);
BENCHMARK(BM_ReadPairPlain);
BENCHMARK(BM_ReadPairExp);
BENCHMARK(BM_ReadPairColumns);
BENCHMARK(BM_ReadGeneralPair);
BENCHMARK_MAIN();
