// The Linux and the Windows binary given the same case leave the same bytes:
// every file of the case directory, the exit status, the launches and the
// error line (its path aside). Runs only in the Windows run (TALVIRONESKA_E2E_EXE).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "harness.h"

namespace {

constexpr const char* kUserSettings = "set xlabel 't (s)'\r\nset ylabel 'F (N)'\r\nset grid\r\n\r\n#\r\n#\r\n";

struct Outcome {
  int exit_status = -1;
  std::string err;
  std::vector<std::string> launches;
  std::map<std::string, std::string> files;
};

// ERR with the case directory's path, as the run shows it, replaced by
// "<case>/" and the rest of such paths written with '/'.
std::string with_case_path(std::string err, const std::string& shown_dir, char separator) {
  std::size_t at;
  while ((at = err.find(shown_dir)) != std::string::npos) {
    std::size_t end = err.find('\n', at);
    if (end == std::string::npos) end = err.size();
    std::string rest = err.substr(at + shown_dir.size(), end - at - shown_dir.size());
    for (char& ch : rest) {
      if (ch == separator) ch = '/';
    }
    err = err.substr(0, at) + "<case>/" + rest + err.substr(end);
  }
  return err;
}

Outcome outcome_of(const e2e::CaseDir& dir, const e2e::RunResult& r, const std::string& shown_dir, char separator) {
  Outcome o;
  EXPECT_FALSE(r.timed_out);
  o.exit_status = r.exit_status;
  o.err = with_case_path(r.err, shown_dir, separator);
  o.launches = dir.launches();
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    const std::string name = entry.path().filename().string();
    o.files[name] = entry.is_regular_file() ? dir.read(name) : "<directory>";
  }
  return o;
}

// A thrust record per millisecond up to 2 s: a smooth rise and fall with
// digits in every place, then zeros.
std::string fine_thrust_data() {
  std::string text;
  char line[64];
  for (int i = 0; i <= 2000; ++i) {
    const double t = i / 1000.0;
    const double F = t < 1.6 ? 123.456789 * std::sin(t * 1.9634954) + 0.001 * (i % 7) : 0.0;
    std::snprintf(line, sizeof line, "%.3f\t%.6f\r\n", t, F);
    text += line;
  }
  return text;
}

struct Case {
  const char* name;
  std::function<void(e2e::CaseFiles&)> edit;
  std::function<void(const e2e::CaseDir&)> extra = {};
  bool inputs = true;  // write the three input files
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"valid, no plot, no listing", [](e2e::CaseFiles&) {}},
      {"plot and listing",
       [](e2e::CaseFiles& s) {
         s.plot_option = "1";
         s.curve_listing_option = "1";
       },
       [](const e2e::CaseDir& d) { d.write(e2e::kPlotScriptFile, kUserSettings); }},
      {"time origin 1 and listing",
       [](e2e::CaseFiles& s) {
         s.time_origin_option = "1";
         s.curve_listing_option = "1";
       }},
      {"plot over a previous run's script", [](e2e::CaseFiles& s) { s.plot_option = "1"; },
       [](const e2e::CaseDir& d) {
         d.write(e2e::kPlotScriptFile,
                 std::string(kUserSettings) + "set title 'velho'\r\nplot 'x' using 1:2\r\nlixo\n");
       }},
      {"cut-off thrust", [](e2e::CaseFiles& s) { s.Fcor = "15.0"; }},
      {"fine record, all options",
       [](e2e::CaseFiles& s) {
         s.ti = "0.1";
         s.tf = "1.5";
         s.w = "1000";
         s.nmax = "5000";
         s.M = "0.0123";
         s.time_origin_option = "1";
         s.plot_option = "1";
         s.curve_listing_option = "1";
         s.thrust_data = fine_thrust_data();
       },
       [](const e2e::CaseDir& d) { d.write(e2e::kPlotScriptFile, kUserSettings); }},
      {"negative thrust",
       [](e2e::CaseFiles& s) {
         s.curve_listing_option = "1";
         s.thrust_data = "0.0 0\n0.1 -5.5\n0.2 20\n0.3 -0.25\n0.4 7\n0.5 1e-3\n0.6 0\n";
       }},
      {"values too wide for their fields",
       [](e2e::CaseFiles& s) {
         s.curve_listing_option = "1";
         s.M = "1e-30";
         s.thrust_data = "0.0 0\n0.1 1e30\n0.2 -2e29\n0.3 3.5e28\n0.4 1\n0.5 2\n0.6 0\n";
       }},
      {"zero mass and equal window ends",
       [](e2e::CaseFiles& s) {
         s.M = "0";
         s.tf = "0.1";
         s.curve_listing_option = "1";
       }},
      {"case name and title with blanks and accents",
       [](e2e::CaseFiles& s) {
         s.case_name = "'  teste 1  '";
         s.title = "'Motor \xC9 de teste \xE7\xE3o'";
         s.plot_option = "1";
         s.curve_listing_option = "1";
       },
       [](const e2e::CaseDir& d) { d.write(e2e::kPlotScriptFile, kUserSettings); }},
      {"nmax equal to the points", [](e2e::CaseFiles& s) { s.nmax = "5"; }},
      {"missing general data file", [](e2e::CaseFiles&) {}, {}, false},
      {"missing case parameter file", [](e2e::CaseFiles&) {},
       [](const e2e::CaseDir& d) { d.write(e2e::kGeneralDataFile, "'novo caso.txt'\r\n"); }, false},
      {"unassigned parameter file name", [](e2e::CaseFiles&) {},
       [](const e2e::CaseDir& d) { d.write(e2e::kGeneralDataFile, ",,\r\n"); }, false},
      {"parameter file in a missing directory", [](e2e::CaseFiles&) {},
       [](const e2e::CaseDir& d) { d.write(e2e::kGeneralDataFile, "'nodir/caso.txt'\r\n"); }, false},
      {"parameter file is a directory", [](e2e::CaseFiles&) {},
       [](const e2e::CaseDir& d) {
         d.write(e2e::kGeneralDataFile, "sub\r\n");
         std::filesystem::create_directory(d.path() + "/sub");
       },
       false},
      {"syntax error in ti", [](e2e::CaseFiles& s) { s.ti = "1x"; }},
      {"header line in the thrust data", [](e2e::CaseFiles& s) { s.thrust_data = "tempo empuxo\n0.0 0\n"; }},
      {"thrust overflow", [](e2e::CaseFiles& s) { s.thrust_data = "0.0 1e999\n"; }},
      {"thrust data ends inside the window", [](e2e::CaseFiles& s) { s.thrust_data = "0.0 0\n0.1 1\n0.2 2\n"; }},
      {"array size overflow", [](e2e::CaseFiles& s) { s.nmax = "536870912"; }},
      {"more points than nmax", [](e2e::CaseFiles& s) { s.nmax = "4"; }},
      {"zero acquisition frequency", [](e2e::CaseFiles& s) { s.w = "0"; }},
      {"plot script of three lines", [](e2e::CaseFiles& s) { s.plot_option = "1"; },
       [](const e2e::CaseDir& d) { d.write(e2e::kPlotScriptFile, "a\r\nb\r\nc\r\n"); }},
      {"plot script missing", [](e2e::CaseFiles& s) { s.plot_option = "1"; }},
      {"report in a missing directory", [](e2e::CaseFiles& s) { s.case_name = "'nodir/x'"; }},
  };
  return all;
}

TEST(CrossPlatform, LinuxAndWindowsBinariesLeaveTheSameBytes) {
  if (!e2e::windows_run()) GTEST_SKIP() << "needs the Windows binary (TALVIRONESKA_E2E_EXE)";
  ASSERT_GE(cases().size(), 20u);
  for (const Case& c : cases()) {
    e2e::CaseFiles files;
    c.edit(files);
    e2e::CaseDir linux_dir;
    e2e::CaseDir windows_dir;
    for (const e2e::CaseDir* dir : {&linux_dir, &windows_dir}) {
      if (c.inputs) dir->write_valid_case(files);
      if (c.extra) c.extra(*dir);
    }
    const Outcome linux_run =
        outcome_of(linux_dir, linux_dir.run_program({TALVIRONESKA_BIN}), linux_dir.path() + "/", '/');
    const Outcome windows_run = outcome_of(windows_dir, windows_dir.run(), windows_dir.full_path(""), '\\');
    EXPECT_EQ(windows_run.exit_status, linux_run.exit_status) << c.name;
    EXPECT_EQ(windows_run.err, linux_run.err) << c.name;
    EXPECT_EQ(windows_run.launches, linux_run.launches) << c.name;
    EXPECT_EQ(windows_run.files, linux_run.files) << c.name;
  }
}

}  // namespace
