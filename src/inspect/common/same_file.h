// Whether a file about to be written is one of a case's files under another
// name: a link, another spelling of its path, a path through a linked folder.
#ifndef TALVIRONESKA_INSPECT_COMMON_SAME_FILE_H_
#define TALVIRONESKA_INSPECT_COMMON_SAME_FILE_H_

#include <filesystem>
#include <span>

// The file of FILES that writing TARGET would write over, or nullptr. Two
// existing files are compared by identity (device and inode, or the Windows
// file identity), so hard links count; a TARGET not made yet, or a link to a
// file not made yet, by the path that writing it would create, as the
// system compares names (on Windows: any letter case, no trailing dots or
// blanks, short names in their long form).
const std::filesystem::path* same_file_among(const std::filesystem::path& target,
                                             std::span<const std::filesystem::path> files);

#endif  // TALVIRONESKA_INSPECT_COMMON_SAME_FILE_H_
