// End-to-end harness: runs the real talvironeska binary in a fresh directory
// with fake outside programs, and reads back what the run left there.
//
//   e2e::CaseDir dir;                          // fresh temporary tree
//   dir.write_valid_case();                    // general data, case params, thrust data
//   dir.on_launch("Notepad", "ensaio7_saida_A.txt", "exit 3");
//   const e2e::RunResult r = dir.run();        // waits, or kills after the time-out
//   EXPECT_EQ(r.exit_status, 0);
//   EXPECT_EQ(dir.launches(), (std::vector<std::string>{"Notepad talvironeska_2p1_dados_geral.txt", ...}));
//
// Layout of one CaseDir (removed again by the destructor):
//   <root>/case/          the run's working directory: write(), read(), exists() are relative to it
//   <root>/bin/           fake Notepad, notepad and Wgnuplot, first on the run's PATH
//   <root>/launches.log   one line per fake launch: the program's name, a blank and its
//                         arguments joined by single blanks ("Notepad teste 1_saida_A.txt")
//   <root>/stage/         bytes that actions copy into the case directory
// Keeping the log and the fakes outside case/ leaves the run's directory holding
// only what the test and the run put there.
//
// A fake program logs first, then runs the actions registered for it whose
// argument text ("$*") matches, in registration order, then exits 0 unless an
// action exits otherwise. Actions are shell text run by /bin/sh in the run's
// working directory with the fake's arguments in "$@".
//
// The Windows run: with TALVIRONESKA_E2E_EXE naming talvironeska.exe, run()
// starts it under wine (TALVIRONESKA_E2E_RUNNER, default "wine") with the real
// cmd.exe, and the fakes are batch files in <root>/winbin, first on the search
// path through WINEPATH: Notepad.bat (which is notepad.bat too, as Windows
// names go) and Wgnuplot.bat. They log "%0 %*" (the name as typed and the
// argument text as cmd.exe passed it) and run the batch text of the matching
// actions. Their own text is ASCII; names reach them through the environment.
// full_path() then gives the path the Windows run shows (wine's Z: drive), and
// run() turns the CR LF that Windows text streams write into LF. Names quoted
// by the run reach a batch file quoted ("a&b_saida_A.txt"), and wine's batch
// files expand a % in them again; use_recording_viewers() puts a program in
// their place that logs the name as a Windows viewer reads it.
// With TALVIRONESKA_E2E_INSPECT_EXE naming talvironeska-inspect.exe as well,
// run_inspect() starts that under wine in the same way.
// The inspector's series draws its picture with the gnuplot it finds on the
// search path: the host's, which use_gnuplot() can take away or replace with
// one that fails. In the Windows run that is gnuplot.exe in tests/gnuplot/
// beside TALVIRONESKA_E2E_EXE (or in TALVIRONESKA_E2E_GNUPLOT_DIR), on the
// search path after the batch fakes: it runs the host's gnuplot on its
// arguments in its folder (see gnuplot_win32.cpp). The Windows runs get a
// UTF-8 locale (LC_ALL=C.UTF-8), so that wine reads the tests' file names,
// UTF-8 on the host, as the names they are and gives them to the .exe in its
// ANSI code page, Windows-1252.
#ifndef TALVIRONESKA_TESTS_E2E_HARNESS_H_
#define TALVIRONESKA_TESTS_E2E_HARNESS_H_

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

inline constexpr const char* kGeneralDataFile = "talvironeska_2p1_dados_geral.txt";

// Built with AddressSanitizer: memory figures and address-space limits are
// then the sanitizer's, not the program's.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif
inline constexpr const char* kPlotScriptFile = "talvironeska_2p1_curva_F-t.gnu";

struct RunResult {
  int exit_status = -1;    // the process's exit status; 128 + signal when killed by one
  bool timed_out = false;  // the time-out ran out and the process group was killed
  std::string out;         // everything written on stdout
  std::string err;         // everything written on stderr
  long max_rss_kb = -1;    // the process's peak resident memory (wait4's ru_maxrss), in KiB
};

// The twelve values of a case parameter file, each as the text of its line
// (notes and quotes included), and the general data file's and thrust data
// file's contents. The defaults make a valid case that runs to the end with
// no launch acting: the curve has 5 points (0.1 s to 0.5 s at 10 Hz).
struct CaseFiles {
  std::string general_data = "caso.txt\r\n";  // whole file
  std::string parameter_file = "caso.txt";    // where the case parameter file is written
  std::string original = "'empuxo.dat'   arquivo de empuxo";
  std::string ti = "0.1";
  std::string tf = "0.5";
  std::string Fcor = "0.0";
  std::string M = "0.010";
  std::string w = "10";
  std::string nmax = "100";
  std::string time_origin_option = "0";
  std::string plot_option = "0";
  std::string curve_listing_option = "0";
  std::string case_name = "ensaio7";
  std::string title = "'Motor de teste'";
  std::string thrust_file = "empuxo.dat";  // where the thrust data is written
  // 0.0 s to 1.0 s at 10 Hz: a rise to 30 N and a fall, then zeros past tf.
  std::string thrust_data =
      "0.0 0.0\n0.1 10.0\n0.2 20.0\n0.3 30.0\n0.4 20.0\n0.5 10.0\n0.6 0.0\n0.7 0.0\n0.8 0.0\n0.9 0.0\n1.0 0.0\n";
};

// The case parameter file for FILES: its twelve lines, each ended by CR LF.
std::string case_params_text(const CaseFiles& files);

// The gnuplot the runs find: the host's, none, or one that draws nothing
// and exits with status 3.
enum class Gnuplot { host, missing, failing };

// Whether run() starts the Windows binary under wine (see above).
bool windows_run();
// Whether run_inspect() starts the Windows inspector under wine: a Windows
// run with TALVIRONESKA_E2E_INSPECT_EXE set.
bool windows_inspect_run();

// The bytes of a file of the source tree (RELATIVE to its top, e.g.
// "examples/f67w/f67w.dat"); a missing file fails the test.
std::string source_file(std::string_view relative);

class CaseDir {
 public:
  CaseDir();
  ~CaseDir();
  CaseDir(const CaseDir&) = delete;
  CaseDir& operator=(const CaseDir&) = delete;

  const std::string& root() const { return root_; }
  const std::string& path() const { return case_dir_; }  // the run's working directory
  std::string full_path(std::string_view name) const;    // path() + "/" + name; Windows: Z:\...\name

  // Files in the case directory, bytes exact. read() of a missing file fails the test.
  void write(std::string_view name, std::string_view bytes) const;
  std::string read(std::string_view name) const;
  bool exists(std::string_view name) const;
  void remove(std::string_view name) const;

  // Every entry under the case directory, subdirectories too, by its path
  // relative to it: a file's bytes, or "<directory>".
  std::map<std::string, std::string> snapshot() const;

  // Writes the three input files of FILES (general data, case params, thrust data).
  void write_valid_case(const CaseFiles& files = {}) const;

  // Registers shell text for PROGRAM ("Notepad", "notepad" or "Wgnuplot") to
  // run when its argument text equals ARGS exactly, and BATCH_TEXT (lines
  // apart by LF) for the Windows run; an action without it fails a Windows run.
  // The batch fakes match the argument text as cmd.exe passed it, so ARGS
  // must be a name that the run passes unquoted.
  void on_launch(std::string_view program, std::string_view args, std::string_view shell_text,
                 std::string_view batch_text = {});
  // The common action: when PROGRAM is launched with ARGS, sleep DELAY, then
  // replace FILE (relative to the case directory) with BYTES.
  void write_on_launch(std::string_view program, std::string_view args, std::string_view file, std::string_view bytes,
                       std::chrono::milliseconds delay = std::chrono::milliseconds(300));

  // From now on the viewers of the Windows run are talvironeska_e2e_recorder.exe
  // (TALVIRONESKA_E2E_RECORDER, default tests/ beside TALVIRONESKA_E2E_EXE),
  // which log their name and arguments as main() gets them, joined by single
  // blanks, and run no action: the launch log then shows on both platforms
  // the file name each viewer opens. Does nothing in the Linux run, where the
  // fakes log "$*" already.
  void use_recording_viewers() const;

  // From now on every run finds WHICH gnuplot.
  void use_gnuplot(Gnuplot which);
  // Puts a gnuplot that draws as the host's does into the case directory:
  // gnuplot.exe, the Windows run's stand-in, there; a script running the
  // host's gnuplot in the Linux run.
  void put_gnuplot_in_case() const;

  // The lines of the launch log so far (empty when nothing was launched),
  // without line ends.
  std::vector<std::string> launches() const;
  // Empties the launch log, for a second run in the same directory.
  void clear_launches() const;

  // Runs the binary with no arguments in path(), stdin from /dev/null, the
  // fakes first on PATH, the rest of the environment inherited. A run that
  // outlives TIMEOUT is killed with its process group and reported timed_out.
  RunResult run(std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  // Runs talvironeska-inspect with ARGS in path(), stdin from /dev/null: the
  // build's binary, or in a Windows inspector run the .exe under wine.
  RunResult run_inspect(const std::vector<std::string>& args,
                        std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  // Runs LINE as the user would type it where the inspector runs: by
  // /bin/sh -c, or, in a Windows inspector run, as the one line of a batch
  // file (<root>/digitado.bat) that cmd.exe runs under wine.
  RunResult run_typed_command(const std::string& line,
                              std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  // The same for any program and arguments (argv[0] is the program's path).
  RunResult run_program(const std::vector<std::string>& argv,
                        std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;

 private:
  void write_fake(const std::string& program) const;
  void write_batch_fake(const std::string& program) const;
  std::string unix_path(std::string_view name) const;  // case_dir_ + "/" + name

  struct Action {
    std::string program;
    std::string args;
    std::string shell_text;
    std::string batch_text;
    std::vector<std::string> environment;  // NAME=value, for the batch text
  };
  std::string root_;
  std::string case_dir_;
  std::vector<Action> actions_;
  Gnuplot gnuplot_ = Gnuplot::host;
  int staged_ = 0;
};

}  // namespace e2e

#endif  // TALVIRONESKA_TESTS_E2E_HARNESS_H_
