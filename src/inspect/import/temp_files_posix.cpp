#include "inspect/import/temp_files.h"

#include <signal.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstring>

namespace {

// Filled before the count is set, read by the handler: no allocation there.
char g_paths[kMaxTemporaryFiles][PATH_MAX];
volatile std::sig_atomic_t g_count = 0;
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void remove_and_reraise(int signal_number) {
  for (std::sig_atomic_t i = 0; i < g_count; ++i) unlink(g_paths[i]);
  g_count = 0;
  std::signal(signal_number, SIG_DFL);
  raise(signal_number);
}

}  // namespace

void remove_on_interrupt(std::span<const std::filesystem::path> paths) {
  g_count = 0;
  std::size_t n = 0;
  for (const auto& path : paths) {
    const std::string absolute = std::filesystem::absolute(path).string();
    if (n == kMaxTemporaryFiles || absolute.size() >= PATH_MAX) continue;
    std::memcpy(g_paths[n], absolute.c_str(), absolute.size() + 1);
    ++n;
  }
  g_count = static_cast<std::sig_atomic_t>(n);
  struct sigaction action = {};
  action.sa_handler = remove_and_reraise;
  sigemptyset(&action.sa_mask);
  for (const int s : kSignals) sigaction(s, &action, nullptr);
}

void forget_temporary_files() {
  g_count = 0;
  for (const int s : kSignals) std::signal(s, SIG_DFL);
}
