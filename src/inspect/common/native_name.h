// File names as the command line gives them and the file calls take them:
// UTF-8 on POSIX, the ANSI code page on Windows (main()'s argv, fopen and
// CreateFileA). std::filesystem on Windows does not convert narrow text that
// way: a path made from it takes each byte for the character of the same
// number, and string() gives UTF-8, which CreateFileA then misreads. These
// go through the system's code page instead. native_name_posix.cpp and
// native_name_win32.cpp implement them.
#ifndef TALVIRONESKA_INSPECT_COMMON_NATIVE_NAME_H_
#define TALVIRONESKA_INSPECT_COMMON_NATIVE_NAME_H_

#include <filesystem>
#include <string>
#include <string_view>

std::filesystem::path path_of_name(std::string_view name);

// A character the code page cannot hold becomes '?', as Windows gives it in argv.
std::string name_of_path(const std::filesystem::path& path);

// NAME as the console shows it: UTF-8.
std::string console_name(std::string_view name);

// Whether A and B, absolute paths, name one file as the system compares
// names: byte for byte on POSIX; on Windows in any letter case, without the
// dots and blanks that end a part, and with the short (8.3) names of
// existing folders and files in their long form.
bool same_native_name(const std::filesystem::path& a, const std::filesystem::path& b);

#endif  // TALVIRONESKA_INSPECT_COMMON_NATIVE_NAME_H_
