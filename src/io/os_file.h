// The platform's file calls under the units; os_file_posix.cpp and
// os_file_win32.cpp implement them. Nothing else touches the platform's files.
#ifndef TALVIRONESKA_IO_OS_FILE_H_
#define TALVIRONESKA_IO_OS_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using OsHandle = std::intptr_t;
inline constexpr OsHandle kNoHandle = -1;

// read_existing is read without creating anything, for the inspector.
enum class OpenMode { read, write, read_write, read_existing };

// Opens NAME (no NUL byte, not empty) with status "UNKNOWN": an existing file
// at its start, never truncated; a missing file is created empty. A read-mode
// open of a read-only file succeeds. Returns 0 and sets *handle, or the severe
// error number: 9 (permission), 43 (bad name or missing directory), 29 (a
// missing file under read_existing) or 30 (anything else: also a file that
// is neither a regular file nor a character device, such as a directory, a
// FIFO or a socket, which is opened without blocking and refused). Nothing
// is created on failure.
int os_open_unknown(const std::string& name, OpenMode mode, OsHandle* handle);

// Up to n bytes; 0 at end of file, -1 on error.
std::ptrdiff_t os_read(OsHandle handle, char* buffer, std::size_t n);

// All n bytes or false.
bool os_write(OsHandle handle, const char* data, std::size_t n);

bool os_seek(OsHandle handle, std::uint64_t offset);
bool os_truncate(OsHandle handle, std::uint64_t size);
bool os_close(OsHandle handle);

// Whether writing NAME would write into the file that OTHER names. Two
// names of existing files are compared by the file's identity (device and
// inode; on Windows the volume and the file index), so links and hard links
// count. Otherwise the full paths are compared: on POSIX the path writing
// would make, the links of its last part followed even to a file not made
// yet; on Windows the system's full path names, as Windows compares names
// (letter case, trailing dots and blanks).
bool os_same_file(const std::string& name, const std::string& other);

// Creates NAME for writing; false when anything (a file, a link, a folder)
// already has that name, or it cannot be created.
bool os_create_new(const std::string& name, OsHandle* handle);

// The file FROM takes the name TO in one step, in place of any file of that
// name. False, both as they were, when it cannot.
bool os_replace(const std::string& from, const std::string& to);

bool os_remove(const std::string& name);

// Whether NAME is something other than a file or a link that a new file
// must not take the place of: a device, a pipe, a folder.
bool os_is_special(const std::string& name);

// The path shown in error lines: NAME when absolute, else the current
// directory, the separator and NAME, with no other normalisation. On Windows
// it is the system's full path name, with . and .. resolved and / turned into \.
std::string os_full_path(std::string_view name);

#endif  // TALVIRONESKA_IO_OS_FILE_H_
