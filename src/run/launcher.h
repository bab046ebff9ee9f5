// The command launcher: runs one command line through the system's command
// interpreter and waits for it. launcher_posix.cpp and launcher_win32.cpp
// implement it; no other file starts processes.
#ifndef TALVIRONESKA_RUN_LAUNCHER_H_
#define TALVIRONESKA_RUN_LAUNCHER_H_

#include <string>
#include <string_view>

// Runs COMMAND (its trailing blanks are not part of it) and returns only when
// the command has ended. Returns the interpreter's exit status, or -1 when the
// command could not be started (the reason in errno on POSIX, in the thread's
// last-error value as 0x2FFF0000 + code on Windows). Never ends the run.
int launch(std::string_view command);

// NAME as one literal word of a command line for launch()'s interpreter:
// sh_word() on POSIX, cmd_word() on Windows (run/command_word.h). Every name
// that goes into a launched command line goes through it.
std::string command_word(std::string_view name);

#endif  // TALVIRONESKA_RUN_LAUNCHER_H_
