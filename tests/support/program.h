// A program the test starts as its own process (the real executable, or a
// tool of the prefix), and the top-level windows it shows.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// A path of the build tree as the prefix sees it (drive Z: is /).
inline std::string PrefixPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

class Program {
 public:
  explicit Program(const std::string& commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string command = commandLine;
    started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_) != 0;
  }
  ~Program() {
    if (!started_) return;
    if (Running()) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return started_; }
  bool Running() const { return started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool WaitForExit(int milliseconds) const {
    return started_ && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  DWORD Id() const { return info_.dwProcessId; }

  // The first visible top-level window of the program with this title, once
  // it shows one; null when none appears in time.
  HWND WaitForWindow(const std::string& title, int milliseconds) const {
    for (int waited = 0; waited <= milliseconds; waited += 50) {
      if (HWND found = FindWindowOf(Id(), title)) return found;
      Sleep(50);
    }
    return nullptr;
  }
  // How many visible top-level windows of a process have this title.
  static int CountWindows(DWORD process, const std::string& title) {
    Search search{process, title, nullptr, 0};
    EnumWindows(&Program::Consider, reinterpret_cast<LPARAM>(&search));
    return search.count;
  }
  static HWND FindWindowOf(DWORD process, const std::string& title) {
    Search search{process, title, nullptr, 0};
    EnumWindows(&Program::Consider, reinterpret_cast<LPARAM>(&search));
    return search.first;
  }

 private:
  struct Search {
    DWORD process;
    std::string title;
    HWND first;
    int count;
  };
  static BOOL CALLBACK Consider(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    if (owner == search->process && IsWindowVisible(window) && search->title == title) {
      if (!search->first) search->first = window;
      ++search->count;
    }
    return TRUE;
  }

  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

}  // namespace testsupport
