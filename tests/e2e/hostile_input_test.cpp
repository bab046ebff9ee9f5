// Hostile input files, end to end: whatever they hold, the run ends with its
// results or with the one error line naming the unit and the file, and a run
// that fails leaves every file as it was, apart from an input file that its
// open created empty. The runs that end at an input file start from the
// outputs of an earlier good run, which must survive byte for byte.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using e2e::CaseFiles;

constexpr const char* kUserPlotLines = "set grid\nset xlabel 't (s)'\nset ylabel 'F (N)'\n#\n#\n#\n";

// NAME in the case directory, a file until now, becomes a directory.
void make_directory(const e2e::CaseDir& dir, const std::string& name) {
  dir.remove(name);
  std::filesystem::create_directory(dir.path() + "/" + name);
}

const char* error_text(int number) {
  switch (number) {
    case 9: return "permission to access file denied";
    case 24: return "end-of-file during read";
    case 30: return "open failure";
    case 43: return "file name specification error";
    case 59: return "list-directed I/O syntax error";
    case 64: return "input conversion error";
    default: return "?";
  }
}

std::string file_error_line(const e2e::CaseDir& dir, int number, int unit, const std::string& file) {
  return "talvironeska: severe (" + std::to_string(number) + "): " + error_text(number) + ", unit " +
         std::to_string(unit) + ", file " + dir.full_path(file) + "\n";
}

// The last case parameter file line without its line end.
std::string without_last_line_end(const CaseFiles& files) {
  std::string text = e2e::case_params_text(files);
  text.resize(text.size() - 2);
  return text;
}

CaseFiles plotting_case() {
  CaseFiles files;
  files.plot_option = "1";
  return files;
}

// A good run of FILES in DIR, leaving the outputs that later runs must not
// touch. The POSIX binary makes them in the Windows run too: the bytes are
// the same, and a start of wine is saved.
void run_good_case(e2e::CaseDir& dir, const CaseFiles& files) {
  dir.write_valid_case(files);
  dir.write(e2e::kPlotScriptFile, kUserPlotLines);
  const e2e::RunResult r = dir.run_program({TALVIRONESKA_BIN});
  ASSERT_EQ(r.exit_status, 0) << r.err;
  ASSERT_TRUE(dir.exists("ensaio7_saida_A.txt") && dir.exists("ensaio7_saida_B.txt"));
}

// A line of 50 MB: digits, so it is a number too large or a text too long.
std::string fifty_megabytes() { return std::string(50 << 20, '1'); }

struct FailingRun {
  const char* what;
  // Turns the good case into the bad one: edits the files, whose three input
  // files are then written, and may then change files itself.
  void (*edit)(CaseFiles& files);
  void (*after)(const e2e::CaseDir& dir, const CaseFiles& files);
  int number;
  int unit;
  std::string file;                  // named in the error line
  std::vector<std::string> created;  // files the run creates empty
};

void no_edit(CaseFiles&) {}
void nothing_after(const e2e::CaseDir&, const CaseFiles&) {}

TEST(HostileInput, FailingRunsNameUnitAndFileAndTouchNothingElse) {
  // clang-format off
  static const FailingRun runs[] = {
      // General data file, unit 5.
      {"general: garbage bytes with a NUL in the name",
       [](CaseFiles& s) { s.general_data = std::string("\xFF\xFE\0\x01\x7F \x80\n", 8); }, nothing_after, 43, 6,
       "\xFF\xFE", {}},
      {"general: NUL bytes in the name", [](CaseFiles& s) { s.general_data = std::string("\0\0caso.txt\n", 11); },
       nothing_after, 43, 6, "", {}},
      {"general: 50 MB line without a line end", [](CaseFiles& s) { s.general_data = fifty_megabytes(); }, nothing_after, 59, 5,
       e2e::kGeneralDataFile, {}},
      {"general: unterminated quote at the end", [](CaseFiles& s) { s.general_data = "'caso.txt\r\n"; },
       nothing_after, 24, 5, e2e::kGeneralDataFile, {}},
      {"general: 2049 characters, cut to 90", [](CaseFiles& s) { s.general_data = std::string(2049, 'a') + "\n"; },
       nothing_after, 24, 6, std::string(90, 'a'), {std::string(90, 'a')}},
      {"general: 2050 characters quoted",
       [](CaseFiles& s) { s.general_data = "'" + std::string(2050, 'a') + "'\n"; }, nothing_after, 59, 5,
       e2e::kGeneralDataFile, {}},
      {"general: blank lines only", [](CaseFiles& s) { s.general_data = " \r\n\t\n\n"; }, nothing_after, 24, 5,
       e2e::kGeneralDataFile, {}},
      {"general: a directory", no_edit,
       [](const e2e::CaseDir& d, const CaseFiles&) { make_directory(d, e2e::kGeneralDataFile); },
       30, 5, e2e::kGeneralDataFile, {}},
      {"general: a name in a missing directory", [](CaseFiles& s) { s.general_data = "'nada/caso.txt'\n"; },
       nothing_after, 43, 6, "nada/caso.txt", {}},

      // Case parameter file, unit 6.
      {"params: empty", no_edit, [](const e2e::CaseDir& d, const CaseFiles&) { d.write("caso.txt", ""); }, 24, 6,
       "caso.txt", {}},
      {"params: a directory", no_edit,
       [](const e2e::CaseDir& d, const CaseFiles&) { make_directory(d, "caso.txt"); },
       30, 6, "caso.txt", {}},
      {"params: garbage bytes for ti", [](CaseFiles& s) { s.ti = "\x80\xFF\x01"; }, nothing_after, 59, 6, "caso.txt",
       {}},
      {"params: a NUL byte after a number", [](CaseFiles& s) { s.ti = std::string("0.1\0", 4); }, nothing_after, 59,
       6, "caso.txt", {}},
      {"params: ti of 1e999", [](CaseFiles& s) { s.ti = "1e999"; }, nothing_after, 64, 6, "caso.txt", {}},
      {"params: nmax outside 32 bits", [](CaseFiles& s) { s.nmax = "2147483648"; }, nothing_after, 64, 6,
       "caso.txt", {}},
      {"params: unterminated quote in the title at the end", [](CaseFiles& s) { s.title = "'Motor de teste"; },
       [](const e2e::CaseDir& d, const CaseFiles& s) { d.write("caso.txt", without_last_line_end(s)); }, 24, 6,
       "caso.txt", {}},
      {"params: 2050 characters quoted", [](CaseFiles& s) { s.case_name = "'" + std::string(2050, 'c') + "'"; },
       nothing_after, 59, 6, "caso.txt", {}},
      {"params: 2049 characters, the data file name cut to 50",
       [](CaseFiles& s) { s.original = "'" + std::string(2049, 'd') + "'"; }, nothing_after, 24, 8,
       std::string(50, 'd'), {std::string(50, 'd')}},

      // Thrust data file, unit 8.
      {"thrust: garbage bytes", [](CaseFiles& s) { s.thrust_data = "\x01\x02\xFF\xFE\n0.0 1\n"; }, nothing_after, 59,
       8, "empuxo.dat", {}},
      {"thrust: NUL bytes", [](CaseFiles& s) { s.thrust_data = std::string("0.0 1\n\0\0\0 1\n", 12); },
       nothing_after, 59, 8, "empuxo.dat", {}},
      {"thrust: lines ended by CR alone", [](CaseFiles& s) { s.thrust_data = "0.0 0\r0.1 10\r0.2 20\r"; },
       nothing_after, 59, 8, "empuxo.dat", {}},
      {"thrust: 50 MB of digits without a line end", [](CaseFiles& s) { s.thrust_data = "0.0 0\n" + fifty_megabytes(); },
       nothing_after, 64, 8, "empuxo.dat", {}},
      {"thrust: unterminated quote at the end", [](CaseFiles& s) { s.thrust_data = "0.0 0\n0.1 1\n'0.2 2"; },
       nothing_after, 59, 8, "empuxo.dat", {}},
      {"thrust: a time of -1e999", [](CaseFiles& s) { s.thrust_data = "-1e999 0\n"; }, nothing_after, 64, 8,
       "empuxo.dat", {}},
      {"thrust: a directory", no_edit,
       [](const e2e::CaseDir& d, const CaseFiles&) { make_directory(d, "empuxo.dat"); },
       30, 8, "empuxo.dat", {}},
      {"thrust: a name in a missing directory", [](CaseFiles& s) { s.original = "'nada/empuxo.dat'"; }, nothing_after,
       43, 8, "nada/empuxo.dat", {}},

      // Summary report, unit 10: nothing of this run is written either.
      {"report: a directory in its place", no_edit,
       [](const e2e::CaseDir& d, const CaseFiles&) { make_directory(d, "ensaio7_saida_A.txt"); },
       30, 10, "ensaio7_saida_A.txt", {}},
      {"report: the case name in a missing directory", [](CaseFiles& s) { s.case_name = "'nada/ensaio7'"; },
       nothing_after, 43, 10, "nada/ensaio7_saida_A.txt", {}},
  };
  // clang-format on
  for (const FailingRun& run : runs) {
    SCOPED_TRACE(run.what);
    e2e::CaseDir dir;
    run_good_case(dir, plotting_case());
    CaseFiles files = plotting_case();
    files.title = "'Outra corrida'";  // what a run that got further would write
    run.edit(files);
    dir.write_valid_case(files);
    run.after(dir, files);
    std::map<std::string, std::string> expected = dir.snapshot();
    for (const std::string& name : run.created) expected[name] = "";

    const e2e::RunResult r = dir.run();
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, file_error_line(dir, run.number, run.unit, run.file));
    EXPECT_TRUE(dir.snapshot() == expected) << "files changed";
  }
}

// Runs stopped by a limit: 179 before the data file, 408 inside it, and the
// non-positive rates. They too leave the earlier outputs alone.
TEST(HostileInput, LimitsStopTheRunBeforeAnyOutput) {
  static const struct {
    const char* what;
    void (*edit)(CaseFiles& files);
    std::string text;  // the error line's text before ", unit"
    int unit;          // 0: the text is the whole line's
    const char* file;
  } runs[] = {
      {"nmax 536870912", [](CaseFiles& s) { s.nmax = "536870912"; },
       "severe (179): Cannot allocate array - overflow on array size calculation.", 0, ""},
      {"nmax -1", [](CaseFiles& s) { s.nmax = "-1"; },
       "severe (408): more than -1 points inside the time window (nmax)", 8, "empuxo.dat"},
      {"records beyond nmax", [](CaseFiles& s) { s.nmax = "3"; },
       "severe (408): more than 3 points inside the time window (nmax)", 8, "empuxo.dat"},
      {"w = 0", [](CaseFiles& s) { s.w = "0"; }, "severe (64): acquisition frequency w = 0 must be positive", 6,
       "caso.txt"},
      {"w = -5", [](CaseFiles& s) { s.w = "-5"; }, "severe (64): acquisition frequency w = -5 must be positive", 6,
       "caso.txt"},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.what);
    e2e::CaseDir dir;
    run_good_case(dir, plotting_case());
    CaseFiles files = plotting_case();
    files.title = "'Outra corrida'";
    run.edit(files);
    dir.write_valid_case(files);
    const std::map<std::string, std::string> expected = dir.snapshot();

    const e2e::RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 1);
    std::string line = "talvironeska: " + run.text;
    if (run.unit != 0) line += ", unit " + std::to_string(run.unit) + ", file " + dir.full_path(run.file);
    EXPECT_EQ(r.err, line + "\n");
    EXPECT_TRUE(dir.snapshot() == expected) << "files changed";
  }
}

// Output files the run cannot write: the ones written before stay written,
// the rest as they were.
TEST(HostileInput, UnwritableOutputs) {
  static const struct {
    const char* what;
    const char* blocked;  // replaced by a directory
    int unit;
    bool report_written;
  } runs[] = {
      {"curve data file", "ensaio7_saida_B.txt", 20, true},
      {"plot script", e2e::kPlotScriptFile, 18, true},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.what);
    e2e::CaseDir dir;
    run_good_case(dir, plotting_case());
    const std::string old_report = dir.read("ensaio7_saida_A.txt");
    CaseFiles files = plotting_case();
    files.title = "'Outra corrida'";
    dir.write_valid_case(files);
    make_directory(dir, run.blocked);
    std::map<std::string, std::string> expected = dir.snapshot();

    const e2e::RunResult r = dir.run();
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.err, file_error_line(dir, 30, run.unit, run.blocked));
    std::map<std::string, std::string> after = dir.snapshot();
    EXPECT_NE(after["ensaio7_saida_A.txt"], old_report);
    EXPECT_NE(after["ensaio7_saida_A.txt"].find("Outra corrida"), std::string::npos);
    after.erase("ensaio7_saida_A.txt");
    expected.erase("ensaio7_saida_A.txt");
    if (run.unit == 18) {
      EXPECT_NE(after["ensaio7_saida_B.txt"], expected["ensaio7_saida_B.txt"]);
      after.erase("ensaio7_saida_B.txt");
      expected.erase("ensaio7_saida_B.txt");
    }
    EXPECT_TRUE(after == expected) << "files changed";
  }
}

TEST(HostileInput, ReadOnlyReportIsAPermissionError) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file, so permissions cannot block the report";
  e2e::CaseDir dir;
  run_good_case(dir, plotting_case());
  std::filesystem::permissions(dir.path() + "/ensaio7_saida_A.txt", std::filesystem::perms::owner_read |
                                                                        std::filesystem::perms::group_read |
                                                                        std::filesystem::perms::others_read);
  const std::map<std::string, std::string> expected = dir.snapshot();
  const e2e::RunResult r = dir.run();
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.err, file_error_line(dir, 9, 10, "ensaio7_saida_A.txt"));
  EXPECT_TRUE(dir.snapshot() == expected) << "files changed";
}

// NAME in the case directory becomes a FIFO, or a socket bound there and
// kept open by the test, with no process at its other end.
void make_fifo(const e2e::CaseDir& dir, const std::string& name) {
  dir.remove(name);
  if (::mkfifo((dir.path() + "/" + name).c_str(), 0666) != 0) ADD_FAILURE() << "mkfifo " << name;
}

int make_socket(const e2e::CaseDir& dir, const std::string& name) {
  dir.remove(name);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = dir.path() + "/" + name;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 1) != 0)
    ADD_FAILURE() << "socket " << path;
  return fd;
}

// A FIFO or a socket in place of any file of the run is refused at its open,
// at once: the run never waits for a writer or a reader that never comes.
// The guard is far above what a refused run takes; a run that waits at the
// open outlives it.
TEST(HostileInput, FifosAndSocketsEndAtOnceInAnOpenFailure) {
  if (e2e::windows_run()) GTEST_SKIP() << "FIFOs and sockets are the POSIX binary's";
  constexpr auto kGuard = std::chrono::seconds(5);
  static const struct {
    const char* name;
    int unit;
    bool socket;
  } runs[] = {
      {e2e::kGeneralDataFile, 5, false},
      {"caso.txt", 6, false},
      {"empuxo.dat", 8, false},
      {"ensaio7_saida_A.txt", 10, false},
      {"ensaio7_saida_B.txt", 20, false},
      {e2e::kPlotScriptFile, 18, false},
      {"empuxo.dat", 8, true},
      {"ensaio7_saida_A.txt", 10, true},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(std::string(run.name) + (run.socket ? " as a socket" : " as a FIFO"));
    e2e::CaseDir dir;
    dir.write_valid_case(plotting_case());
    dir.write(e2e::kPlotScriptFile, kUserPlotLines);
    const int socket = run.socket ? make_socket(dir, run.name) : -1;
    if (!run.socket) make_fifo(dir, run.name);

    const e2e::RunResult r = dir.run(kGuard);
    if (socket >= 0) ::close(socket);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.err, file_error_line(dir, 30, run.unit, run.name));
    // No output before the inputs are read; the report before the curve,
    // the curve before the plot script.
    EXPECT_EQ(dir.exists("ensaio7_saida_A.txt"), run.unit >= 10);
    EXPECT_EQ(dir.exists("ensaio7_saida_B.txt"), run.unit == 20 || run.unit == 18);
  }
}

// Hostile values the run accepts: each gives the same files as its plain form.
TEST(HostileInput, AcceptedValuesGiveTheFilesOfTheirPlainForms) {
  static const struct {
    const char* what;
    void (*hostile)(CaseFiles& files);
    void (*plain)(CaseFiles& files);
    std::string stem;  // of the output files, in both runs
  } pairs[] = {
      {"Fcor of 1e-999", [](CaseFiles& s) { s.Fcor = "1e-999"; }, [](CaseFiles& s) { s.Fcor = "0.0"; }, "ensaio7"},
      {"thrust of 1e-999",
       [](CaseFiles& s) { s.thrust_data = "0.0 0\n0.1 1e-999\n0.2 20\n0.3 -1D-999\n0.4 2\n0.5 1\n0.6 0\n"; },
       [](CaseFiles& s) { s.thrust_data = "0.0 0\n0.1 0\n0.2 20\n0.3 -0.0\n0.4 2\n0.5 1\n0.6 0\n"; }, "ensaio7"},
      {"title of 2049 characters", [](CaseFiles& s) { s.title = "'" + std::string(2049, 't') + "'"; },
       [](CaseFiles& s) { s.title = std::string(90, 't'); }, "ensaio7"},
      {"case name of 2049 characters", [](CaseFiles& s) { s.case_name = std::string(2049, 'c'); },
       [](CaseFiles& s) { s.case_name = std::string(90, 'c'); }, std::string(90, 'c')},
      {"data file name of 2049 characters",
       [](CaseFiles& s) {
         s.original = std::string(2049, 'd');
         s.thrust_file = std::string(50, 'd');
       },
       [](CaseFiles& s) {
         s.original = std::string(50, 'd');
         s.thrust_file = std::string(50, 'd');
       },
       "ensaio7"},
  };
  for (const auto& pair : pairs) {
    SCOPED_TRACE(pair.what);
    e2e::CaseDir hostile_dir, plain_dir;
    CaseFiles hostile = plotting_case(), plain = plotting_case();
    pair.hostile(hostile);
    pair.plain(plain);
    hostile_dir.write_valid_case(hostile);
    plain_dir.write_valid_case(plain);
    hostile_dir.write(e2e::kPlotScriptFile, kUserPlotLines);
    plain_dir.write(e2e::kPlotScriptFile, kUserPlotLines);
    const e2e::RunResult h = hostile_dir.run();
    const e2e::RunResult p = plain_dir.run();
    ASSERT_EQ(h.exit_status, 0) << h.err;
    ASSERT_EQ(p.exit_status, 0) << p.err;
    for (const std::string& name :
         {pair.stem + "_saida_A.txt", pair.stem + "_saida_B.txt", std::string(e2e::kPlotScriptFile)}) {
      EXPECT_EQ(hostile_dir.read(name), plain_dir.read(name)) << name;
    }
  }
}

}  // namespace
