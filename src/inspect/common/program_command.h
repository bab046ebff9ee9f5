// The commands a hint tells the user to type: they must work where the user
// is, also when the program is on no search path (the Windows zip, the Linux
// tarball). program_command_posix.cpp and program_command_win32.cpp
// implement them.
#ifndef TALVIRONESKA_INSPECT_COMMON_PROGRAM_COMMAND_H_
#define TALVIRONESKA_INSPECT_COMMON_PROGRAM_COMMAND_H_

#include <filesystem>
#include <string>

// This companion's own executable, its full path; empty when the system
// does not say.
std::filesystem::path own_executable();

// The program talvironeska as one word of the user's command interpreter
// (sh, cmd.exe), UTF-8: the full path of the one beside this companion when
// there is one, quoted when it needs to be; else its bare name.
std::string program_command();

// This companion as one such word: the full path of its own executable.
std::string companion_command();

// NAME (UTF-8) as one word the user types: as it is when plain, else quoted
// ('...' for sh, "..." for cmd.exe), also when it holds blanks.
std::string typed_word(const std::string& name);

// The one line that evaluates the case in the folder DIR (as the command line
// gave it): "cd DIR && PROGRAM", "cd /d DIR && PROGRAM" on Windows, DIR made
// absolute and quoted when it needs to be.
std::string run_in_folder_command(const std::string& dir);

#endif  // TALVIRONESKA_INSPECT_COMMON_PROGRAM_COMMAND_H_
