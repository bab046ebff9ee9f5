// A run stopped while it writes its outputs over those of an earlier, longer
// run: by the file-size limit, by Ctrl-C, by a kill. Whenever it stops, each
// output file holds the start of this run's file, or is the earlier run's
// untouched: never this run's lines followed by the earlier run's.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "harness.h"

namespace {

constexpr const char* kReport = "ensaio7_saida_A.txt";
constexpr const char* kCurve = "ensaio7_saida_B.txt";
constexpr const char* kUserPlotLines = "set grid\n#\n#\n#\n#\n#\n";

class InterruptedRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (e2e::kAddressSanitizer) GTEST_SKIP() << "the sanitizer's own writes and signals differ";
    if (e2e::windows_run()) GTEST_SKIP() << "limits and signals are the POSIX binary's";
  }
};

// A million records "k f" at w = 1, all inside the window but the last: a
// curve data file of 29 MB.
e2e::CaseFiles million_point_case() {
  e2e::CaseFiles files;
  files.w = "1";
  files.ti = "0";
  files.tf = "999999";
  files.nmax = "1000000";
  files.plot_option = "1";
  std::string& text = files.thrust_data;
  text.clear();
  char line[32];
  for (long k = 0; k <= 1000000; ++k) {
    char* p = std::to_chars(line, line + sizeof line, k).ptr;
    *p++ = ' ';
    p = std::to_chars(p, line + sizeof line, k % 97).ptr;
    *p++ = '\n';
    text.append(line, static_cast<std::size_t>(p - line));
  }
  return files;
}

// Outputs of an earlier run, each longer than this run's and unlike any line of it.
std::map<std::string, std::string> earlier_outputs() {
  std::string old_lines;
  for (int i = 0; i < 1200000; ++i) old_lines += "OLD RUN LINE\r\n";
  return {{kReport, old_lines.substr(0, 14 * 1000)},
          {kCurve, old_lines},
          {e2e::kPlotScriptFile, kUserPlotLines + old_lines.substr(0, 14 * 100)}};
}

struct Outputs {
  std::map<std::string, std::string> complete;  // of an uninterrupted run
  std::map<std::string, std::string> earlier;
};

const Outputs& outputs() {
  static const Outputs made = [] {
    Outputs o;
    o.earlier = earlier_outputs();
    e2e::CaseDir dir;
    dir.write_valid_case(million_point_case());
    dir.write(e2e::kPlotScriptFile, kUserPlotLines);
    const e2e::RunResult r = dir.run(std::chrono::seconds(60));
    EXPECT_EQ(r.exit_status, 0) << r.err;
    for (const auto& [name, bytes] : o.earlier) o.complete[name] = dir.read(name);
    return o;
  }();
  return made;
}

void prepare(const e2e::CaseDir& dir) {
  dir.write_valid_case(million_point_case());
  for (const auto& [name, bytes] : outputs().earlier) dir.write(name, bytes);
}

// Each output is the earlier run's, untouched, or a start of this run's.
void expect_no_file_mixes_two_runs(const e2e::CaseDir& dir) {
  for (const auto& [name, complete] : outputs().complete) {
    const std::string now = dir.read(name);
    if (now == outputs().earlier.at(name)) continue;
    EXPECT_TRUE(now == complete.substr(0, now.size())) << name << " holds " << now.size() << " bytes";
  }
}

TEST_F(InterruptedRun, TheFileSizeLimit) {
  for (const char* limit_kb : {"0", "2", "1024", "8192", "20000"}) {
    for (const bool ignore_signal : {false, true}) {
      SCOPED_TRACE(std::string(limit_kb) + (ignore_signal ? " KiB, SIGXFSZ ignored" : " KiB"));
      e2e::CaseDir dir;
      prepare(dir);
      const std::string script =
          std::string(ignore_signal ? "trap '' XFSZ; " : "") + "ulimit -f " + limit_kb + "; exec " + TALVIRONESKA_BIN;
      const e2e::RunResult r = dir.run_program({"/bin/bash", "-c", script}, std::chrono::seconds(60));
      // Killed by the limit's signal, or stopped by the failed write's error.
      EXPECT_EQ(r.exit_status, ignore_signal ? 1 : 128 + SIGXFSZ) << r.err;
      expect_no_file_mixes_two_runs(dir);
      EXPECT_NE(dir.read(kCurve), outputs().complete.at(kCurve));
    }
  }
}

// Starts the program in DIR, sends SIGNAL once the curve data file has
// reached BYTES (a file shorter than at the start), and waits for its end.
// True when the run was still writing the file when the signal came.
bool signal_when_curve_reaches(const e2e::CaseDir& dir, int signal, std::size_t bytes) {
  const std::string curve = dir.path() + "/" + kCurve;
  const std::string path = "PATH=" + dir.root() + "/bin:" + std::getenv("PATH");
  const pid_t pid = ::fork();
  if (pid == 0) {
    // Below the test in priority, so the watching loop sees the size in time.
    if (::chdir(dir.path().c_str()) != 0 || ::nice(15) < 0) ::_exit(125);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    char* const argv[] = {const_cast<char*>(TALVIRONESKA_BIN), nullptr};
    char* const envp[] = {const_cast<char*>(path.c_str()), nullptr};
    ::execve(argv[0], argv, envp);
    ::_exit(126);
  }
  const std::size_t earlier = outputs().earlier.at(kCurve).size();
  bool cut = false;  // the file was cut to this run's start
  struct stat st {};
  for (;;) {
    int status;
    if (::waitpid(pid, &status, WNOHANG) == pid) return false;  // ended before the signal
    ::usleep(200);
    if (::stat(curve.c_str(), &st) != 0) continue;
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size < earlier) cut = true;
    if (cut && size >= bytes) break;
  }
  ::kill(pid, signal);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == signal &&
         dir.read(kCurve).size() < outputs().complete.at(kCurve).size();
}

TEST_F(InterruptedRun, CtrlCOrAKillWhileTheCurveIsWritten) {
  for (const int signal : {SIGINT, SIGKILL}) {
    for (const std::size_t bytes : {std::size_t{1} << 20, std::size_t{8} << 20, std::size_t{20} << 20}) {
      SCOPED_TRACE(std::string(strsignal(signal)) + " at " + std::to_string(bytes) + " bytes");
      // The run may outpace the watching loop on a busy machine: then again.
      bool stopped_while_writing = false;
      for (int attempt = 0; attempt < 5 && !stopped_while_writing; ++attempt) {
        e2e::CaseDir dir;
        prepare(dir);
        stopped_while_writing = signal_when_curve_reaches(dir, signal, bytes);
        expect_no_file_mixes_two_runs(dir);
      }
      EXPECT_TRUE(stopped_while_writing) << "the run was never caught while it wrote the curve";
    }
  }
}

}  // namespace
