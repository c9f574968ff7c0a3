// A program the test starts as its own process (the real executable, or a
// tool of the prefix or of the host), and the top-level windows it shows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/support/pump.h"

namespace testsupport {

// A path of the build tree as the prefix sees it (drive Z: is /).
inline std::string PrefixPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

// A visible top-level window of a class (any when null) with this title, of a
// process (of any when 0), or null.
inline HWND VisibleWindow(const char* windowClass, const std::string& title, DWORD process = 0) {
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, windowClass, title.c_str())) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if ((process == 0 || owner == process) && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

class Program {
 public:
  explicit Program(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    started_ = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info_) != 0;
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
  // The exit code once the program ended; STILL_ACTIVE before.
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (started_) GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  DWORD Id() const { return info_.dwProcessId; }

  // A visible top-level window of the program with this title, once it shows
  // one; null when none appears in time or the program ends first.
  HWND WaitForWindow(const std::string& title, int milliseconds) const {
    HWND found = nullptr;
    WaitUntil([&] { return !Running() || (found = VisibleWindow(nullptr, title, Id())) != nullptr; }, milliseconds);
    return found;
  }

 private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

}  // namespace testsupport
