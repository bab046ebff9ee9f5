#include "inspect/common/gnuplot_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace {

// gnuplot in an absolute folder of the search path; empty when there is
// none. An empty or relative entry would be looked up from the folder
// gnuplot is started in, where the series writes: never.
std::string gnuplot_program() {
  const char* path = std::getenv("PATH");
  std::string_view rest = path != nullptr ? path : "";
  for (;;) {
    const std::size_t colon = rest.find(':');
    const std::string_view entry = rest.substr(0, colon);
    if (!entry.empty() && entry.front() == '/') {
      std::string candidate(entry);
      candidate += "/gnuplot";
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    if (colon == std::string_view::npos) return "";
    rest.remove_prefix(colon + 1);
  }
}

}  // namespace

int run_gnuplot(const std::filesystem::path& dir, const std::string& script) {
  const std::string folder = dir.string();
  std::string program = gnuplot_program();
  if (program.empty()) return -1;
  std::string argument = script;
  char* argv[] = {program.data(), argument.data(), nullptr};
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    if (chdir(folder.c_str()) != 0) _exit(127);
    execv(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  pid_t done;
  do done = waitpid(pid, &status, 0);
  while (done < 0 && errno == EINTR);
  if (done < 0) return -1;
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  // 127 is what the child exits with when gnuplot is not there to start.
  return WEXITSTATUS(status) == 127 ? -1 : WEXITSTATUS(status);
}
