// POSIX launches: /bin/sh -c COMMAND through posix_spawn, waited for the way
// system() waits.
#include "run/launcher.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>

#include "run/command_word.h"

extern char** environ;

namespace {

constexpr std::size_t kMaxCommand = 1024;

// The shell could not be started: only three reasons are told apart.
int start_failure_errno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return ENOENT;
    case ENOEXEC: return ENOEXEC;
    default: return ENOMEM;
  }
}

int spawn_and_wait(std::string& command, const sigset_t& child_mask, const sigset_t& child_defaults) {
  posix_spawnattr_t attr;
  if (posix_spawnattr_init(&attr) != 0) {
    errno = ENOMEM;
    return -1;
  }
  posix_spawnattr_setsigmask(&attr, &child_mask);
  posix_spawnattr_setsigdefault(&attr, &child_defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  char sh[] = "sh";
  char dash_c[] = "-c";
  char* argv[] = {sh, dash_c, command.data(), nullptr};
  pid_t pid;
  const int error = posix_spawn(&pid, "/bin/sh", nullptr, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  if (error != 0) {
    errno = start_failure_errno(error);
    return -1;
  }

  int status;
  pid_t done;
  do done = waitpid(pid, &status, 0);
  while (done < 0 && errno == EINTR);
  if (done < 0) return -1;
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

}  // namespace

int launch(std::string_view command) {
  const std::size_t last = command.find_last_not_of(' ');
  command = command.substr(0, last == std::string_view::npos ? 0 : last + 1);
  if (command.size() > kMaxCommand) {
    errno = E2BIG;
    return -1;
  }
  std::string text(command);

  // As system() does: the run ignores the terminal's interrupt and quit while
  // the command runs (the command gets them), and holds SIGCHLD back.
  struct sigaction ignore = {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  struct sigaction old_int, old_quit;
  sigaction(SIGINT, &ignore, &old_int);
  sigaction(SIGQUIT, &ignore, &old_quit);
  sigset_t chld, old_mask;
  sigemptyset(&chld);
  sigaddset(&chld, SIGCHLD);
  sigprocmask(SIG_BLOCK, &chld, &old_mask);

  // The command starts with the run's own mask and with interrupt and quit
  // as they were before, unless they were ignored then.
  sigset_t child_defaults;
  sigemptyset(&child_defaults);
  if (old_int.sa_handler != SIG_IGN) sigaddset(&child_defaults, SIGINT);
  if (old_quit.sa_handler != SIG_IGN) sigaddset(&child_defaults, SIGQUIT);

  const int result = spawn_and_wait(text, old_mask, child_defaults);

  const int saved = errno;
  sigaction(SIGINT, &old_int, nullptr);
  sigaction(SIGQUIT, &old_quit, nullptr);
  sigprocmask(SIG_SETMASK, &old_mask, nullptr);
  errno = saved;
  return result;
}

std::string command_word(std::string_view name) { return sh_word(name); }
