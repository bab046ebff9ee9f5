// The import's temporary files (made new by os_create_new, never through a
// name or a link already there) removed when the import is interrupted.
// temp_files_posix.cpp and temp_files_win32.cpp implement it.
#ifndef TALVIRONESKA_INSPECT_IMPORT_TEMP_FILES_H_
#define TALVIRONESKA_INSPECT_IMPORT_TEMP_FILES_H_

#include <filesystem>
#include <span>

// The temporary files to remove when the process is interrupted before
// forget_temporary_files(): SIGINT, SIGTERM and SIGHUP, and the console's
// Ctrl-C, Ctrl-Break and close on Windows. At most kMaxTemporaryFiles.
inline constexpr std::size_t kMaxTemporaryFiles = 8;
void remove_on_interrupt(std::span<const std::filesystem::path> paths);
void forget_temporary_files();

#endif  // TALVIRONESKA_INSPECT_IMPORT_TEMP_FILES_H_
