// Input with no line end, or no end at all: a device, a large file of NUL
// bytes. The run ends in its read error within seconds
// and holds no more than a few megabytes of it.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

// Beyond a run of the ordinary five-record case; the peak of each run also
// counts the test process it was forked from, which both share.
constexpr long kBoundKb = 64 * 1024;
constexpr auto kTimeout = std::chrono::seconds(10);

class EndlessInput : public ::testing::Test {
 protected:
  void SetUp() override {
    if (e2e::kAddressSanitizer) GTEST_SKIP() << "the sanitizer's memory is not the program's";
    if (e2e::windows_run()) GTEST_SKIP() << "devices and memory figures are the POSIX binary's";
  }
};

// A 2 GB file of NUL bytes, sparse: it costs no disk.
std::string nul_file(const e2e::CaseDir& dir) {
  const std::string path = dir.root() + "/nul.dat";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::ftruncate(fd, off_t{2} << 30) != 0) ADD_FAILURE() << "making " << path;
  if (fd >= 0) ::close(fd);
  return path;
}

long reference_peak_kb(const std::vector<std::string>& argv) {
  e2e::CaseDir dir;
  dir.write_valid_case();
  const e2e::RunResult r = dir.run_program(argv);
  EXPECT_LE(r.exit_status, 1) << r.err;
  return r.max_rss_kb;
}

TEST_F(EndlessInput, EveryInputFileEndsInItsSyntaxError) {
  const long reference_kb = reference_peak_kb({TALVIRONESKA_BIN});
  // Random bytes make a text value (a file name) as readily as not: only
  // the thrust data file, all numbers, is certain to fail on them.
  for (const std::string source : {"/dev/zero", "/dev/urandom", "nul"}) {
    for (const int unit : {5, 6, 8}) {
      if (source == "/dev/urandom" && unit != 8) continue;
      SCOPED_TRACE(source + " as unit " + std::to_string(unit));
      e2e::CaseDir dir;
      const std::string path = source == "nul" ? nul_file(dir) : source;
      e2e::CaseFiles files;
      if (unit == 8) files.original = "'" + path + "'";
      if (unit == 6) files.general_data = "'" + path + "'\r\n";
      dir.write_valid_case(files);
      if (unit == 5) {
        dir.remove(e2e::kGeneralDataFile);
        ASSERT_EQ(::symlink(path.c_str(), (dir.path() + "/" + e2e::kGeneralDataFile).c_str()), 0);
      }
      const e2e::RunResult r = dir.run(kTimeout);
      ASSERT_FALSE(r.timed_out);
      EXPECT_EQ(r.exit_status, 1);
      const std::string shown = unit == 5 ? dir.full_path(e2e::kGeneralDataFile) : path;
      EXPECT_EQ(r.err, "talvironeska: severe (59): list-directed I/O syntax error, unit " + std::to_string(unit) +
                           ", file " + shown + "\n");
      EXPECT_LT(r.max_rss_kb - reference_kb, kBoundKb);
      EXPECT_FALSE(dir.exists("ensaio7_saida_A.txt"));
    }
  }
}

// The inspector stops at such a line as the program does, whether it is
// given the file or reads it from a case.
TEST_F(EndlessInput, TheInspectorStopsAtALineWithNoEnd) {
  const long reference_kb = [] {
    e2e::CaseDir dir;
    dir.write_valid_case();
    return dir.run_inspect({}).max_rss_kb;
  }();
  for (const std::string source : {"/dev/zero", "nul"}) {
    for (const bool from_case : {false, true}) {
      SCOPED_TRACE(source + (from_case ? " from a case" : " given"));
      e2e::CaseDir dir;
      const std::string path = source == "nul" ? nul_file(dir) : source;
      e2e::CaseFiles files;
      files.original = "'" + path + "'";
      dir.write_valid_case(files);
      const e2e::RunResult r = dir.run_inspect(from_case ? std::vector<std::string>{} : std::vector{path}, kTimeout);
      ASSERT_FALSE(r.timed_out);
      EXPECT_EQ(r.exit_status, 2);
      EXPECT_NE(r.out.find("  AVISO: a linha 1 passa de 4 MiB sem fim de linha: a leitura para nela"),
                std::string::npos)
          << r.out;
      EXPECT_NE(r.out.find("o programa pararia nela com o erro 59"), std::string::npos) << r.out;
      EXPECT_EQ(r.err, "talvironeska-inspect: erro: menos de dois registros legíveis em " + path + "\n");
      EXPECT_LT(r.max_rss_kb - reference_kb, kBoundKb);
    }
  }
}

}  // namespace
