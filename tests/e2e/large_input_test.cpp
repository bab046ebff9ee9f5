// Large inputs end to end: a long thrust data file read up to a window at its
// end, and curve arrays far larger than the curve, whose untouched pages must
// cost no memory.
#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using e2e::kAddressSanitizer;

// Records "k f" for k in [first, last], f = k % 100: one per second at w = 1.
std::string integer_records(long first, long last) {
  std::string text;
  text.reserve(static_cast<std::size_t>(last - first + 1) * 11);
  char line[32];
  for (long k = first; k <= last; ++k) {
    char* p = std::to_chars(line, line + sizeof line, k).ptr;
    *p++ = ' ';
    p = std::to_chars(p, line + sizeof line, k % 100).ptr;
    *p++ = '\n';
    text.append(line, static_cast<std::size_t>(p - line));
  }
  return text;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t begin = 0;
  for (std::size_t lf; (lf = text.find('\n', begin)) != std::string::npos; begin = lf + 1) {
    result.push_back(text.substr(begin, lf - begin));
  }
  return result;
}

std::vector<std::string> output_names() { return {"ensaio7_saida_A.txt", "ensaio7_saida_B.txt", e2e::kPlotScriptFile}; }

void prepare(e2e::CaseDir& dir, const e2e::CaseFiles& files) {
  dir.write_valid_case(files);
  dir.write(e2e::kPlotScriptFile, "set grid\n#\n#\n#\n#\n#\n");
}

// Ten million records with the window on the last ones: the run reads up to
// the first record past the window and gives the files of a file that holds
// only the records from the window on.
TEST(LargeInput, TenMillionRecordsWithTheWindowAtTheEnd) {
  e2e::CaseFiles files;
  files.w = "1";
  files.ti = "9999990";
  files.tf = "9999997";
  files.plot_option = "1";
  files.thrust_data = integer_records(0, 9999999);
  e2e::CaseDir long_dir;
  prepare(long_dir, files);
  files.thrust_data = integer_records(9999990, 9999998);
  e2e::CaseDir short_dir;
  prepare(short_dir, files);

  const e2e::RunResult r = long_dir.run(std::chrono::seconds(120));
  ASSERT_EQ(r.exit_status, 0) << r.err;
  ASSERT_EQ(short_dir.run().exit_status, 0);
  for (const std::string& name : output_names()) EXPECT_EQ(long_dir.read(name), short_dir.read(name)) << name;
  EXPECT_NE(long_dir.read("ensaio7_saida_B.txt").find("9.7"), std::string::npos);  // the last kept thrust, 97 N
}

// The curve arrays come from the allocator untouched: with room for hundreds
// of millions of points and a curve of five, the run needs no more memory
// than with room for a hundred. A run's peak also counts the test process it
// was forked from, so the two runs are compared, each started the same way.
// Measured here: both about 3 MB (18 MB with the sanitizers) on their own,
// against 4 GB per array if the pages were touched.
TEST(LargeInput, HugeNmaxWithASmallCurveUsesLittleMemory) {
  constexpr long kBoundKb = 8 * 1024;  // more than the reference run's peak
  // The sanitizer marks freed memory in its shadow, a write of 512 MB for
  // each array at exit; that bookkeeping is its own, so it is turned off.
  std::vector<std::string> argv = {TALVIRONESKA_BIN};
  if (kAddressSanitizer) argv = {"/usr/bin/env", "ASAN_OPTIONS=poison_heap=0", TALVIRONESKA_BIN};
  // The Windows binary runs inside wine's own processes: only its files are compared.
  const auto run = [&argv](const e2e::CaseDir& dir) { return e2e::windows_run() ? dir.run() : dir.run_program(argv); };
  e2e::CaseDir reference_dir;
  prepare(reference_dir, {});
  const e2e::RunResult reference_run = run(reference_dir);
  ASSERT_EQ(reference_run.exit_status, 0);
  const std::vector<std::string> reference = lines(reference_dir.read("ensaio7_saida_A.txt"));
  for (const char* nmax : {"500000000", "536870911"}) {
    SCOPED_TRACE(nmax);
    e2e::CaseFiles files;
    files.nmax = nmax;
    e2e::CaseDir dir;
    prepare(dir, files);
    const e2e::RunResult r = run(dir);
    ASSERT_EQ(r.exit_status, 0) << r.err;
    if (!e2e::windows_run()) {
      EXPECT_LT(r.max_rss_kb - reference_run.max_rss_kb, kBoundKb);
      std::printf("peak resident memory: nmax %s %ld KiB, nmax 100 %ld KiB\n", nmax, r.max_rss_kb,
                  reference_run.max_rss_kb);
    }

    EXPECT_EQ(dir.read("ensaio7_saida_B.txt"), reference_dir.read("ensaio7_saida_B.txt"));
    // The report differs from the reference only in the nmax it prints,
    // which is too wide for its eight columns.
    const std::vector<std::string> report = lines(dir.read("ensaio7_saida_A.txt"));
    ASSERT_EQ(report.size(), reference.size());
    for (std::size_t i = 0; i < report.size(); ++i) {
      if (reference[i].find("nmax = ") != std::string::npos) {
        EXPECT_EQ(report[i], reference[i].substr(0, reference[i].size() - 9) + "********\r") << i;
      } else {
        EXPECT_EQ(report[i], reference[i]) << i;
      }
    }
  }
}

// Arrays the address space cannot hold: error 41, and the earlier outputs stay.
TEST(LargeInput, ArraysBeyondTheAddressSpaceLimit) {
  if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than the limit";
  if (e2e::windows_run()) GTEST_SKIP() << "the limit is set by the POSIX shell on the POSIX binary";
  e2e::CaseDir dir;
  prepare(dir, {});
  ASSERT_EQ(dir.run().exit_status, 0);
  const std::string report = dir.read("ensaio7_saida_A.txt");
  e2e::CaseFiles files;
  files.nmax = "536870911";
  dir.write_valid_case(files);
  for (const char* limit_kb : {"2000000", "6000000"}) {  // the first array fails, or only the second
    SCOPED_TRACE(limit_kb);
    const e2e::RunResult r =
        dir.run_program({"/bin/sh", "-c", std::string("ulimit -v ") + limit_kb + "; exec " + TALVIRONESKA_BIN});
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.err, "talvironeska: severe (41): insufficient virtual memory\n");
    EXPECT_EQ(dir.read("ensaio7_saida_A.txt"), report);
  }
}

}  // namespace
