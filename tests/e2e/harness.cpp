#include "harness.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

extern char** environ;

namespace e2e {
namespace {

const char* const kFakePrograms[] = {"Notepad", "notepad", "Wgnuplot"};
// Windows names are case-blind: Notepad.bat is notepad.bat too.
const char* const kBatchFakes[] = {"Notepad", "Wgnuplot"};

bool same_name_on_windows(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// The name wine gives a path of the Unix file system: its Z: drive holds /.
std::string windows_path(std::string_view unix_path) {
  std::string path = "Z:";
  for (const char ch : unix_path) path += ch == '/' ? '\\' : ch;
  return path;
}

// PROGRAM itself when it holds a '/', else the first executable of that name on PATH.
std::string program_path(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "";
  std::size_t begin = 0;
  while (begin <= dirs.size()) {
    std::size_t end = dirs.find(':', begin);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(begin, end - begin) + "/" + program;
    if (end > begin && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    begin = end + 1;
  }
  return program;
}

// Windows text streams end lines with CR LF; the tests expect LF.
void drop_cr_before_lf(std::string* text) {
  std::string out;
  for (std::size_t i = 0; i < text->size(); ++i) {
    if ((*text)[i] == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n') continue;
    out += (*text)[i];
  }
  *text = out;
}

// TEXT as one shell word.
std::string shell_quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char ch : text) {
    if (ch == '\'') {
      quoted += "'\\''";
    } else {
      quoted += ch;
    }
  }
  quoted += '\'';
  return quoted;
}

void write_file(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << "cannot write " << path << ": " << std::strerror(errno);
  if (!bytes.empty()) {
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size()) << path;
  }
  EXPECT_EQ(std::fclose(file), 0) << path;
}

// The whole file into *bytes; false when it cannot be opened.
bool read_file(const std::string& path, std::string* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes->clear();
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, got);
  std::fclose(file);
  return true;
}

// The folder of the Windows run's gnuplot.exe (harness.h).
std::string gnuplot_stand_in_dir() {
  if (const char* dir = std::getenv("TALVIRONESKA_E2E_GNUPLOT_DIR")) return dir;
  return (std::filesystem::path(std::getenv("TALVIRONESKA_E2E_EXE")).parent_path() / "tests/gnuplot").string();
}

}  // namespace

bool windows_run() { return std::getenv("TALVIRONESKA_E2E_EXE") != nullptr; }

bool windows_inspect_run() { return windows_run() && std::getenv("TALVIRONESKA_E2E_INSPECT_EXE") != nullptr; }

std::string case_params_text(const CaseFiles& files) {
  std::string text;
  for (const std::string* line :
       {&files.original, &files.ti, &files.tf, &files.Fcor, &files.M, &files.w, &files.nmax, &files.time_origin_option,
        &files.plot_option, &files.curve_listing_option, &files.case_name, &files.title}) {
    text += *line;
    text += "\r\n";
  }
  return text;
}

std::string source_file(std::string_view relative) {
  const std::string path = std::string(TALVIRONESKA_SOURCE_DIR) + "/" + std::string(relative);
  std::string bytes;
  if (!read_file(path, &bytes)) ADD_FAILURE() << "cannot read " << path;
  return bytes;
}

CaseDir::CaseDir() {
  char pattern[] = "/tmp/talvironeska-e2e-XXXXXX";
  const char* made = ::mkdtemp(pattern);
  if (made == nullptr) {
    ADD_FAILURE() << "mkdtemp: " << std::strerror(errno);
    return;
  }
  root_ = made;
  case_dir_ = root_ + "/case";
  for (const std::string& dir : {case_dir_, root_ + "/bin", root_ + "/stage", root_ + "/winbin"}) {
    if (::mkdir(dir.c_str(), 0777) != 0) ADD_FAILURE() << "mkdir " << dir << ": " << std::strerror(errno);
  }
  for (const char* program : kFakePrograms) write_fake(program);
  for (const char* program : kBatchFakes) write_batch_fake(program);
}

CaseDir::~CaseDir() {
  // TALVIRONESKA_E2E_KEEP keeps the trees for a look after a failure.
  if (root_.empty() || std::getenv("TALVIRONESKA_E2E_KEEP") != nullptr) return;
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string CaseDir::unix_path(std::string_view name) const { return case_dir_ + "/" + std::string(name); }

std::string CaseDir::full_path(std::string_view name) const {
  return windows_run() ? windows_path(unix_path(name)) : unix_path(name);
}

void CaseDir::write(std::string_view name, std::string_view bytes) const { write_file(unix_path(name), bytes); }

std::string CaseDir::read(std::string_view name) const {
  std::string bytes;
  if (!read_file(unix_path(name), &bytes)) ADD_FAILURE() << "cannot read " << unix_path(name);
  return bytes;
}

bool CaseDir::exists(std::string_view name) const {
  struct stat st;
  return ::stat(unix_path(name).c_str(), &st) == 0;
}

void CaseDir::remove(std::string_view name) const { ::unlink(unix_path(name).c_str()); }

std::map<std::string, std::string> CaseDir::snapshot() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(case_dir_)) {
    const std::string name = std::filesystem::relative(entry.path(), case_dir_).string();
    files[name] = entry.is_directory() ? "<directory>" : read(name);
  }
  return files;
}

void CaseDir::write_valid_case(const CaseFiles& files) const {
  write(kGeneralDataFile, files.general_data);
  write(files.parameter_file, case_params_text(files));
  write(files.thrust_file, files.thrust_data);
}

void CaseDir::write_fake(const std::string& program) const {
  const std::string path = root_ + "/bin/" + program;
  std::string script = "#!/bin/sh\n";
  script +=
      "printf '%s\\n' " + shell_quoted(program + " ") + "\"$*\" >> " + shell_quoted(root_ + "/launches.log") + "\n";
  for (const Action& action : actions_) {
    if (action.program != program) continue;
    script += "if [ \"$*\" = " + shell_quoted(action.args) + " ]; then\n";
    script += action.shell_text;
    script += "\nfi\n";
  }
  script += "exit 0\n";
  write_file(path, script);
  if (::chmod(path.c_str(), 0755) != 0) ADD_FAILURE() << "chmod " << path << ": " << std::strerror(errno);
}

void CaseDir::write_batch_fake(const std::string& program) const {
  // Each action k runs when "%0 %*" equals TALVIRONESKA_E2E_WHEN_k.
  std::string script = "@echo off\r\n>>\"%TALVIRONESKA_E2E_LOG%\" echo %0 %*\r\n";
  for (std::size_t k = 1; k <= actions_.size(); ++k) {
    const Action& action = actions_[k - 1];
    if (!same_name_on_windows(action.program, program)) continue;
    const std::string skip = "skip" + std::to_string(k);
    script += "if not \"%0 %*\"==\"%TALVIRONESKA_E2E_WHEN_" + std::to_string(k) + "%\" goto " + skip + "\r\n";
    for (const char ch : action.batch_text) script += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    script += "\r\n:" + skip + "\r\n";
  }
  script += "exit /b 0\r\n";
  write_file(root_ + "/winbin/" + program + ".bat", script);
}

void CaseDir::on_launch(std::string_view program, std::string_view args, std::string_view shell_text,
                        std::string_view batch_text) {
  actions_.push_back({std::string(program), std::string(args), std::string(shell_text), std::string(batch_text), {}});
  write_fake(std::string(program));
  for (const char* fake : kBatchFakes) write_batch_fake(fake);
}

void CaseDir::write_on_launch(std::string_view program, std::string_view args, std::string_view file,
                              std::string_view bytes, std::chrono::milliseconds delay) {
  const std::string staged = root_ + "/stage/" + std::to_string(++staged_);
  write_file(staged, bytes);
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", static_cast<double>(delay.count()) / 1000.0);
  const std::string k = std::to_string(actions_.size() + 1);
  on_launch(program, args,
            std::string("sleep ") + seconds + "\ncat " + shell_quoted(staged) + " > " + shell_quoted(file),
            "copy /y /b \"%TALVIRONESKA_E2E_STAGED_" + k + "%\" \"%TALVIRONESKA_E2E_TARGET_" + k + "%\" >nul");
  actions_.back().environment = {"TALVIRONESKA_E2E_STAGED_" + k + "=" + windows_path(staged),
                                 "TALVIRONESKA_E2E_TARGET_" + k + "=" + std::string(file)};
}

void CaseDir::use_recording_viewers() const {
  if (!windows_run()) return;
  const char* recorder = std::getenv("TALVIRONESKA_E2E_RECORDER");
  const std::string path = recorder != nullptr
                               ? std::string(recorder)
                               : (std::filesystem::path(std::getenv("TALVIRONESKA_E2E_EXE")).parent_path() /
                                  "tests/talvironeska_e2e_recorder.exe")
                                     .string();
  std::string bytes;
  ASSERT_TRUE(read_file(path, &bytes)) << "no recording viewer at " << path << " (build the mingw preset)";
  for (const char* program : kBatchFakes) {
    ::unlink((root_ + "/winbin/" + program + ".bat").c_str());
    write_file(root_ + "/winbin/" + program + ".exe", bytes);
  }
}

void CaseDir::use_gnuplot(Gnuplot which) {
  gnuplot_ = which;
  const std::string fake = root_ + "/bin/gnuplot";
  ::unlink(fake.c_str());
  if (which != Gnuplot::failing) return;
  write_file(fake, "#!/bin/sh\nexit 3\n");
  if (::chmod(fake.c_str(), 0755) != 0) ADD_FAILURE() << "chmod " << fake << ": " << std::strerror(errno);
}

void CaseDir::put_gnuplot_in_case() const {
  if (windows_run()) {
    std::string bytes;
    const std::string stand_in = gnuplot_stand_in_dir() + "/gnuplot.exe";
    ASSERT_TRUE(read_file(stand_in, &bytes)) << "no gnuplot stand-in at " << stand_in << " (build the mingw preset)";
    write("gnuplot.exe", bytes);
    return;
  }
  write("gnuplot", "#!/bin/sh\nexec " + shell_quoted(program_path("gnuplot")) + " \"$@\"\n");
  if (::chmod(unix_path("gnuplot").c_str(), 0755) != 0) ADD_FAILURE() << "chmod: " << std::strerror(errno);
}

std::vector<std::string> CaseDir::launches() const {
  std::string log;
  std::vector<std::string> lines;
  if (!read_file(root_ + "/launches.log", &log)) return lines;
  std::size_t begin = 0;
  while (begin < log.size()) {
    std::size_t end = log.find('\n', begin);
    if (end == std::string::npos) end = log.size();
    std::size_t line_end = end;
    if (line_end > begin && log[line_end - 1] == '\r') --line_end;  // the batch fakes' CR LF
    lines.push_back(log.substr(begin, line_end - begin));
    begin = end + 1;
  }
  return lines;
}

void CaseDir::clear_launches() const { ::unlink((root_ + "/launches.log").c_str()); }

RunResult CaseDir::run(std::chrono::milliseconds timeout) const {
  if (!windows_run()) return run_program({TALVIRONESKA_BIN}, timeout);
  for (const Action& action : actions_) {
    if (action.batch_text.empty()) {
      ADD_FAILURE() << "the action for \"" << action.program << " " << action.args
                    << "\" has no batch text for the Windows run";
    }
  }
  const char* runner = std::getenv("TALVIRONESKA_E2E_RUNNER");
  RunResult result =
      run_program({program_path(runner != nullptr ? runner : "wine"), std::getenv("TALVIRONESKA_E2E_EXE")}, timeout);
  drop_cr_before_lf(&result.out);
  drop_cr_before_lf(&result.err);
  return result;
}

RunResult CaseDir::run_inspect(const std::vector<std::string>& args, std::chrono::milliseconds timeout) const {
  if (!windows_inspect_run()) {
    std::vector<std::string> argv{TALVIRONESKA_INSPECT_BIN};
    argv.insert(argv.end(), args.begin(), args.end());
    return run_program(argv, timeout);
  }
  const std::string gnuplot = gnuplot_stand_in_dir() + "/gnuplot.exe";
  if (gnuplot_ != Gnuplot::missing && ::access(gnuplot.c_str(), R_OK) != 0) {
    ADD_FAILURE() << "no gnuplot stand-in at " << gnuplot << " (build the mingw preset)";
  }
  const char* runner = std::getenv("TALVIRONESKA_E2E_RUNNER");
  std::vector<std::string> argv{program_path(runner != nullptr ? runner : "wine"),
                                std::getenv("TALVIRONESKA_E2E_INSPECT_EXE")};
  argv.insert(argv.end(), args.begin(), args.end());
  RunResult result = run_program(argv, timeout);
  drop_cr_before_lf(&result.out);
  drop_cr_before_lf(&result.err);
  return result;
}

RunResult CaseDir::run_typed_command(const std::string& line, std::chrono::milliseconds timeout) const {
  if (!windows_inspect_run()) return run_program({"/bin/sh", "-c", line}, timeout);
  // A batch file's line runs as the same line typed at the prompt: wine would
  // escape the quotation marks of a line given to cmd /c as an argument.
  const std::string batch = root_ + "/digitado.bat";
  std::FILE* file = std::fopen(batch.c_str(), "wb");
  if (file == nullptr) {
    ADD_FAILURE() << "cannot write " << batch;
    return {};
  }
  std::fprintf(file, "@%s\r\n", line.c_str());
  std::fclose(file);
  std::string windows_batch = "Z:" + batch;
  for (char& c : windows_batch) c = c == '/' ? '\\' : c;
  const char* runner = std::getenv("TALVIRONESKA_E2E_RUNNER");
  RunResult result =
      run_program({program_path(runner != nullptr ? runner : "wine"), "cmd", "/c", windows_batch}, timeout);
  drop_cr_before_lf(&result.out);
  drop_cr_before_lf(&result.err);
  return result;
}

RunResult CaseDir::run_program(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const {
  RunResult result;
  const std::string out_path = root_ + "/stdout";
  const std::string err_path = root_ + "/stderr";

  // Everything the child needs is built before fork: after it, only
  // async-signal-safe calls.
  std::vector<std::string> env;
  const char* path = std::getenv("PATH");
  // Without gnuplot the Linux run finds only the fakes; the Windows run needs
  // the host's PATH for nothing but wine, which it starts by its full path.
  const bool host_path = path != nullptr && !(gnuplot_ == Gnuplot::missing && !windows_run());
  env.push_back("PATH=" + root_ + "/bin" + (host_path ? std::string(":") + path : std::string()));
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "PATH=", 5) != 0 && std::strncmp(*e, "WINEPATH=", 9) != 0 &&
        !(windows_run() && std::strncmp(*e, "LC_ALL=", 7) == 0)) {
      env.emplace_back(*e);
    }
  }
  if (windows_run()) {
    env.push_back("LC_ALL=C.UTF-8");
    env.push_back("WINEPATH=" + windows_path(root_ + "/winbin") +
                  (gnuplot_ != Gnuplot::missing ? ";" + windows_path(gnuplot_stand_in_dir()) : std::string()));
    env.push_back("TALVIRONESKA_E2E_GNUPLOT=" +
                  (gnuplot_ == Gnuplot::failing ? root_ + "/bin/gnuplot" : program_path("gnuplot")));
    env.push_back("TALVIRONESKA_E2E_GNUPLOT_STATUS=" + root_ + "/gnuplot.status");
    env.push_back("TALVIRONESKA_E2E_LOG=" + windows_path(root_ + "/launches.log"));
    for (std::size_t k = 1; k <= actions_.size(); ++k) {
      const Action& action = actions_[k - 1];
      env.push_back("TALVIRONESKA_E2E_WHEN_" + std::to_string(k) + "=" + action.program + " " + action.args);
      env.insert(env.end(), action.environment.begin(), action.environment.end());
    }
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args(argv);
  std::vector<char*> argp;
  for (std::string& a : args) argp.push_back(a.data());
  argp.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) {
    ADD_FAILURE() << "fork: " << std::strerror(errno);
    return result;
  }
  if (pid == 0) {
    ::setpgid(0, 0);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::chdir(case_dir_.c_str()) != 0) {
      ::_exit(125);
    }
    ::execve(argp[0], argp.data(), envp.data());
    ::_exit(126);
  }
  ::setpgid(pid, pid);  // also here, so the group exists whichever side runs first

  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  struct rusage usage {};
  for (;;) {
    const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) {
      ADD_FAILURE() << "waitpid: " << std::strerror(errno);
      return result;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      result.timed_out = true;
      ::kill(-pid, SIGKILL);
      while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
      }
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.max_rss_kb = usage.ru_maxrss;
  read_file(out_path, &result.out);
  read_file(err_path, &result.err);
  return result;
}

}  // namespace e2e
