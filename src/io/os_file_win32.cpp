// Windows files: the Win32 handle calls, always binary, so the program alone
// decides every byte (CR LF is written once, by the writers).
#include "io/os_file.h"

#include <limits>
#include <string>

// Before <windows.h>: winnt.h declares an enumerator named SevereError, which
// would hide the class from the header were the header read after it.
#include "io/severe_error.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

// One Win32 read or write moves at most this many bytes.
constexpr std::size_t kMaxTransfer = 1u << 30;

int open_failure_number(const std::string& name, DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED: {
      // Windows refuses a directory opened as a file with "access denied";
      // it is an open failure, as on POSIX.
      const DWORD attributes = GetFileAttributesA(name.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return kErrOpenFailure;
      }
      return kErrPermission;
    }
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return kErrPermission;
    case ERROR_FILE_NOT_FOUND:  // only a missing directory gets here: a missing file is created
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return kErrFileName;
    default: return kErrOpenFailure;
  }
}

HANDLE handle_of(OsHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// The identity of the existing file on disk NAME, without reading or changing it.
bool file_identity(const std::string& name, BY_HANDLE_FILE_INFORMATION* info) {
  const HANDLE h = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, info) != 0;
  CloseHandle(h);
  return known;
}

std::wstring wide_text(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace

int os_open_unknown(const std::string& name, OpenMode mode, OsHandle* handle) {
  DWORD access = 0;
  switch (mode) {
    case OpenMode::read:
    case OpenMode::read_existing: access = GENERIC_READ; break;
    case OpenMode::write: access = GENERIC_WRITE; break;
    case OpenMode::read_write: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  // OPEN_ALWAYS: an existing file as it is, a missing one created empty.
  const DWORD disposition = mode == OpenMode::read_existing ? OPEN_EXISTING : OPEN_ALWAYS;
  const HANDLE h = CreateFileA(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) && mode == OpenMode::read_existing)
      return kErrFileNotFound;
    return open_failure_number(name, error);
  }
  // Only a file on disk or a character device (NUL, CON) is read and
  // written: a pipe could hold the run.
  const DWORD type = GetFileType(h);
  if (type != FILE_TYPE_DISK && type != FILE_TYPE_CHAR) {
    CloseHandle(h);
    return kErrOpenFailure;
  }
  *handle = reinterpret_cast<OsHandle>(h);
  return 0;
}

bool os_same_file(const std::string& name, const std::string& other) {
  BY_HANDLE_FILE_INFORMATION a, b;
  if (file_identity(name, &a) && file_identity(other, &b)) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
  }
  // The system's full path drops trailing dots and blanks; the names are
  // then compared without regard to letter case, as the file system does.
  const std::wstring x = wide_text(os_full_path(name));
  const std::wstring y = wide_text(os_full_path(other));
  return CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(), static_cast<int>(y.size()), TRUE) ==
         CSTR_EQUAL;
}

std::ptrdiff_t os_read(OsHandle handle, char* buffer, std::size_t n) {
  if (n > kMaxTransfer) n = kMaxTransfer;
  DWORD got = 0;
  if (!ReadFile(handle_of(handle), buffer, static_cast<DWORD>(n), &got, nullptr)) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

bool os_write(OsHandle handle, const char* data, std::size_t n) {
  while (n > 0) {
    const DWORD part = static_cast<DWORD>(n < kMaxTransfer ? n : kMaxTransfer);
    DWORD put = 0;
    if (!WriteFile(handle_of(handle), data, part, &put, nullptr) || put == 0) return false;
    data += put;
    n -= put;
  }
  return true;
}

bool os_seek(OsHandle handle, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max())) return false;
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(handle_of(handle), to, nullptr, FILE_BEGIN) != 0;
}

bool os_truncate(OsHandle handle, std::uint64_t size) {
  // SetEndOfFile cuts at the file pointer; the pointer is put back after, as
  // ftruncate leaves it.
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  LARGE_INTEGER here;
  if (!SetFilePointerEx(handle_of(handle), zero, &here, FILE_CURRENT)) return false;
  if (!os_seek(handle, size) || !SetEndOfFile(handle_of(handle))) return false;
  return SetFilePointerEx(handle_of(handle), here, nullptr, FILE_BEGIN) != 0;
}

bool os_close(OsHandle handle) { return CloseHandle(handle_of(handle)) != 0; }

bool os_create_new(const std::string& name, OsHandle* handle) {
  const HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  *handle = reinterpret_cast<OsHandle>(h);
  return true;
}

bool os_replace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool os_remove(const std::string& name) { return DeleteFileA(name.c_str()) != 0; }

bool os_is_special(const std::string& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string os_full_path(std::string_view name) {
  // The system's own full path; an empty name shows the current directory.
  const std::string relative = name.empty() ? std::string(".\\") : std::string(name);
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD size = GetFullPathNameA(relative.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr);
    if (size == 0) break;
    if (size < path.size()) {
      path.resize(size);
      return path;
    }
    path.resize(size);  // the size asked for counts the NUL
  }
  // The system gives up on names past MAX_PATH: join them by hand.
  const bool absolute = !name.empty() && (name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':'));
  if (absolute) return std::string(name);
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return std::string(name);
  std::string cwd(size, '\0');
  cwd.resize(GetCurrentDirectoryA(size, cwd.data()));
  if (cwd.empty() || cwd.back() != '\\') cwd += '\\';
  return cwd + std::string(name);
}
