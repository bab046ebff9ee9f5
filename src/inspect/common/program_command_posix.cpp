#include "inspect/common/program_command.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "inspect/common/native_name.h"
#include "run/command_word.h"

namespace fs = std::filesystem;

// sh_word() leaves blanks between words plain, which a command typed by
// hand must quote too.
std::string typed_word(const std::string& name) {
  const std::string word = sh_word(name);
  return word == name && name.find(' ') != std::string::npos ? "'" + name + "'" : word;
}

fs::path own_executable() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self;
}

std::string companion_command() {
  const fs::path self = own_executable();
  return self.empty() ? std::string("talvironeska-inspect") : typed_word(self.string());
}

std::string program_command() {
  const fs::path self = own_executable();
  if (!self.empty()) {
    const fs::path program = self.parent_path() / "talvironeska";
    if (access(program.c_str(), X_OK) == 0) return typed_word(program.string());
  }
  return "talvironeska";
}

std::string run_in_folder_command(const std::string& dir) {
  std::error_code error;
  fs::path folder = fs::absolute(path_of_name(dir), error);
  if (error) folder = path_of_name(dir);
  return "cd " + typed_word(folder.lexically_normal().string()) + " && " + program_command();
}
