#include "inspect/common/program_command.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "inspect/common/native_name.h"
#include "run/command_word.h"

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

fs::path own_executable() {
  std::wstring self(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (n == 0) return {};
    if (n < self.size()) {
      self.resize(n);
      return fs::path(self);
    }
    self.resize(self.size() * 2);
  }
}

// cmd_word() leaves blanks between words plain, which a command typed by
// hand must quote too.
std::string typed_word(const std::string& name) {
  const std::string word = cmd_word(name);
  return word == name && name.find(' ') != std::string::npos ? "\"" + name + "\"" : word;
}

std::string companion_command() {
  const fs::path self = own_executable();
  return self.empty() ? std::string("talvironeska-inspect") : typed_word(utf8(self));
}

std::string program_command() {
  const fs::path folder = own_executable().parent_path();
  std::error_code error;
  if (!folder.empty() && fs::is_regular_file(folder / L"talvironeska.exe", error)) {
    return typed_word(utf8(folder / L"talvironeska.exe"));
  }
  return "talvironeska";
}

std::string run_in_folder_command(const std::string& dir) {
  std::error_code error;
  fs::path folder = fs::absolute(path_of_name(dir), error);
  if (error) folder = path_of_name(dir);
  return "cd /d " + typed_word(utf8(folder.lexically_normal())) + " && " + program_command();
}
