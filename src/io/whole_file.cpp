#include "io/whole_file.h"

#include "io/os_file.h"

namespace {

constexpr int kTemporaryNames = 100;

}  // namespace

bool write_whole_file(const std::string& name, std::string_view bytes) {
  // A device or a pipe would be replaced by a plain file, not written.
  if (os_is_special(name)) return false;
  OsHandle handle = kNoHandle;
  std::string temporary;
  for (int k = 0; k < kTemporaryNames && handle == kNoHandle; ++k) {
    temporary = name;
    if (k > 0) {
      temporary += '.';
      temporary += std::to_string(k);
    }
    temporary += ".tmp";
    if (!os_create_new(temporary, &handle)) handle = kNoHandle;
  }
  if (handle == kNoHandle) return false;
  const bool written = os_write(handle, bytes.data(), bytes.size());
  if (os_close(handle) && written && os_replace(temporary, name)) return true;
  os_remove(temporary);
  return false;
}
