// POSIX files: open(2) and friends, retried on EINTR.
#include "io/os_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "io/severe_error.h"

namespace {

int open_failure_number(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return kErrPermission;
    case ENOENT:  // only a missing directory gets here: a missing file is created
    case ENAMETOOLONG:
    case ENOTDIR: return kErrFileName;
    default: return kErrOpenFailure;
  }
}

int fd_of(OsHandle handle) { return static_cast<int>(handle); }

// Where writing NAME puts its bytes: its links followed, even one to a file
// not made yet, and the path resolved as far as it exists.
std::filesystem::path written_path(const std::string& name) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  if (error) return fs::path(name).lexically_normal();
  for (int links = 0; links < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++links) {
    const fs::path to = fs::read_symlink(path, error);
    if (error) break;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  const fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : resolved;
}

}  // namespace

int os_open_unknown(const std::string& name, OpenMode mode, OsHandle* handle) {
  // Without blocking, so that a FIFO cannot hold the run before it is refused.
  int flags = O_CLOEXEC | O_NONBLOCK;
  switch (mode) {
    case OpenMode::read:
    case OpenMode::read_existing: flags |= O_RDONLY; break;
    case OpenMode::write: flags |= O_WRONLY; break;
    case OpenMode::read_write: flags |= O_RDWR; break;
  }
  int fd;
  do fd = ::open(name.c_str(), flags);
  while (fd < 0 && errno == EINTR);
  if (fd < 0 && errno == ENOENT && mode == OpenMode::read_existing) return kErrFileNotFound;
  if (fd < 0 && errno == ENOENT) {
    do fd = ::open(name.c_str(), flags | O_CREAT, 0666);
    while (fd < 0 && errno == EINTR);
  }
  if (fd < 0) return open_failure_number(errno);
  // Only a regular file or a character device (/dev/null, /dev/zero) is
  // read and written, in blocking mode as usual.
  struct stat st;
  const bool usable = ::fstat(fd, &st) == 0 && (S_ISREG(st.st_mode) || S_ISCHR(st.st_mode));
  const int status = usable ? ::fcntl(fd, F_GETFL) : -1;
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return kErrOpenFailure;
  }
  *handle = fd;
  return 0;
}

bool os_same_file(const std::string& name, const std::string& other) {
  struct stat a, b;
  if (::stat(name.c_str(), &a) == 0 && ::stat(other.c_str(), &b) == 0) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  }
  return written_path(name) == written_path(other);
}

std::ptrdiff_t os_read(OsHandle handle, char* buffer, std::size_t n) {
  ssize_t got;
  do got = ::read(fd_of(handle), buffer, n);
  while (got < 0 && errno == EINTR);
  return got;
}

bool os_write(OsHandle handle, const char* data, std::size_t n) {
  while (n > 0) {
    const ssize_t put = ::write(fd_of(handle), data, n);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += put;
    n -= static_cast<std::size_t>(put);
  }
  return true;
}

bool os_seek(OsHandle handle, std::uint64_t offset) {
  return ::lseek(fd_of(handle), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool os_truncate(OsHandle handle, std::uint64_t size) {
  int rc;
  do rc = ::ftruncate(fd_of(handle), static_cast<off_t>(size));
  while (rc != 0 && errno == EINTR);
  return rc == 0;
}

bool os_close(OsHandle handle) { return ::close(fd_of(handle)) == 0 || errno == EINTR; }

bool os_create_new(const std::string& name, OsHandle* handle) {
  int fd;
  do fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  *handle = fd;
  return true;
}

bool os_replace(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

bool os_remove(const std::string& name) { return ::unlink(name.c_str()) == 0; }

bool os_is_special(const std::string& name) {
  struct stat st;
  if (::lstat(name.c_str(), &st) != 0) return false;
  return !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode);
}

std::string os_full_path(std::string_view name) {
  if (!name.empty() && name.front() == '/') return std::string(name);
  std::vector<char> cwd(PATH_MAX);
  while (::getcwd(cwd.data(), cwd.size()) == nullptr) {
    if (errno != ERANGE) return std::string(name);
    cwd.resize(cwd.size() * 2);
  }
  std::string path(cwd.data());
  path += '/';
  path += name;
  return path;
}
