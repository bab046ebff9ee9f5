#include "inspect/common/gnuplot_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

int run_gnuplot(const std::filesystem::path& dir, const std::string& script) {
  const std::string folder = dir.string();
  std::string program = "gnuplot";
  std::string argument = script;
  char* argv[] = {program.data(), argument.data(), nullptr};
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    if (chdir(folder.c_str()) != 0) _exit(127);
    execvp(argv[0], argv);
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
