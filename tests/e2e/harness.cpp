#include "harness.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

}  // namespace

std::string case_params_text(const CaseSpec& spec) {
  std::string text;
  for (const std::string* line : {&spec.original, &spec.ti, &spec.tf, &spec.Fcor, &spec.M, &spec.w, &spec.nmax,
                                  &spec.time_origin_option, &spec.plot_option, &spec.curve_listing_option,
                                  &spec.case_name, &spec.title}) {
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
  for (const std::string& dir : {case_dir_, root_ + "/bin", root_ + "/stage"}) {
    if (::mkdir(dir.c_str(), 0777) != 0) ADD_FAILURE() << "mkdir " << dir << ": " << std::strerror(errno);
  }
  for (const char* program : kFakePrograms) write_fake(program);
}

CaseDir::~CaseDir() {
  // TALVIRONESKA_E2E_KEEP keeps the trees for a look after a failure.
  if (root_.empty() || std::getenv("TALVIRONESKA_E2E_KEEP") != nullptr) return;
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string CaseDir::full_path(std::string_view name) const { return case_dir_ + "/" + std::string(name); }

void CaseDir::write(std::string_view name, std::string_view bytes) const { write_file(full_path(name), bytes); }

std::string CaseDir::read(std::string_view name) const {
  std::string bytes;
  if (!read_file(full_path(name), &bytes)) ADD_FAILURE() << "cannot read " << full_path(name);
  return bytes;
}

bool CaseDir::exists(std::string_view name) const {
  struct stat st;
  return ::stat(full_path(name).c_str(), &st) == 0;
}

void CaseDir::remove(std::string_view name) const { ::unlink(full_path(name).c_str()); }

void CaseDir::write_valid_case(const CaseSpec& spec) const {
  write(kGeneralDataFile, spec.general_data);
  write(spec.parameter_file, case_params_text(spec));
  write(spec.thrust_file, spec.thrust_data);
}

void CaseDir::write_fake(const std::string& program) const {
  const std::string path = root_ + "/bin/" + program;
  std::string script = "#!/bin/sh\n";
  script += "printf '%s\\n' " + shell_quoted(program + " ") + "\"$*\" >> " + shell_quoted(root_ + "/launches.log") +
            "\n";
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

void CaseDir::on_launch(std::string_view program, std::string_view args, std::string_view shell_text) {
  actions_.push_back({std::string(program), std::string(args), std::string(shell_text)});
  write_fake(std::string(program));
}

void CaseDir::write_on_launch(std::string_view program, std::string_view args, std::string_view file,
                              std::string_view bytes, std::chrono::milliseconds delay) {
  const std::string staged = root_ + "/stage/" + std::to_string(++staged_);
  write_file(staged, bytes);
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", static_cast<double>(delay.count()) / 1000.0);
  on_launch(program, args,
            std::string("sleep ") + seconds + "\ncat " + shell_quoted(staged) + " > " + shell_quoted(file));
}

std::vector<std::string> CaseDir::launches() const {
  std::string log;
  std::vector<std::string> lines;
  if (!read_file(root_ + "/launches.log", &log)) return lines;
  std::size_t begin = 0;
  while (begin < log.size()) {
    std::size_t end = log.find('\n', begin);
    if (end == std::string::npos) end = log.size();
    lines.push_back(log.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

void CaseDir::clear_launches() const { ::unlink((root_ + "/launches.log").c_str()); }

RunResult CaseDir::run(std::chrono::milliseconds timeout) const { return run_program({TALVIRONESKA_BIN}, timeout); }

RunResult CaseDir::run_program(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) const {
  RunResult result;
  const std::string out_path = root_ + "/stdout";
  const std::string err_path = root_ + "/stderr";

  // Everything the child needs is built before fork: after it, only
  // async-signal-safe calls.
  std::vector<std::string> env;
  const char* path = std::getenv("PATH");
  env.push_back("PATH=" + root_ + "/bin" + (path != nullptr ? std::string(":") + path : std::string()));
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "PATH=", 5) != 0) env.emplace_back(*e);
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
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) {
      ADD_FAILURE() << "waitpid: " << std::strerror(errno);
      return result;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      result.timed_out = true;
      ::kill(-pid, SIGKILL);
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  read_file(out_path, &result.out);
  read_file(err_path, &result.err);
  return result;
}

}  // namespace e2e
