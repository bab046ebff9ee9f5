#include "inspect/common/same_file.h"

#include <system_error>

#include "inspect/common/native_name.h"

namespace fs = std::filesystem;

namespace {

// Where writing PATH would put its bytes: its links followed, even one that
// points at a file not made yet, and the path resolved as far as it exists.
fs::path destination(const fs::path& path) {
  std::error_code error;
  fs::path p = fs::absolute(path, error);
  if (error) return path.lexically_normal();
  for (int links = 0; links < 40; ++links) {
    if (!fs::is_symlink(fs::symlink_status(p, error))) break;
    const fs::path to = fs::read_symlink(p, error);
    if (error) break;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  fs::path resolved = fs::weakly_canonical(p, error);
  return error ? p.lexically_normal() : resolved;
}

}  // namespace

const fs::path* same_file_among(const fs::path& target, std::span<const fs::path> files) {
  const fs::path where = destination(target);
  for (const fs::path& file : files) {
    if (file.empty()) continue;
    std::error_code error;
    if (fs::equivalent(target, file, error) || same_native_name(destination(file), where)) return &file;
  }
  return nullptr;
}
