// A fresh, empty directory made current for one Windows test, then removed
// with the files left in it, and the old current directory made current again.
#ifndef TALVIRONESKA_TESTS_WIN32_SCRATCH_DIR_H_
#define TALVIRONESKA_TESTS_WIN32_SCRATCH_DIR_H_

#include <string>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

class Win32ScratchDir {
 public:
  Win32ScratchDir() {
    char buffer[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof buffer, buffer);
    previous_ = buffer;
    GetTempPathA(sizeof buffer, buffer);
    static unsigned serial = 0;
    path_ = std::string(buffer) + "talvironeska_test_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++serial);
    CreateDirectoryA(path_.c_str(), nullptr);
    SetCurrentDirectoryA(path_.c_str());
  }
  ~Win32ScratchDir() {
    SetCurrentDirectoryA(previous_.c_str());
    remove_tree(path_);
  }
  Win32ScratchDir(const Win32ScratchDir&) = delete;
  Win32ScratchDir& operator=(const Win32ScratchDir&) = delete;

  // The directory's absolute path, without a trailing separator.
  const std::string& path() const { return path_; }

 private:
  static void remove_tree(const std::string& dir) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = dir + "\\" + name;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          remove_tree(full);
        } else {
          DeleteFileA(full.c_str());
        }
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
  }

  std::string previous_;
  std::string path_;
};

#endif  // TALVIRONESKA_TESTS_WIN32_SCRATCH_DIR_H_
