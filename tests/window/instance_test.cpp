// The real executable, started as a program: one instance at a time, and
// Exit ending the process.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/message_box_watcher.h"

namespace {

// The executable's path as the prefix sees the build tree (drive Z: is /).
std::string ExecutablePath() {
  std::string path = "Z:" + std::string(HIVESWEEP_EXE);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

class Program {
 public:
  Program() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string command = "\"" + ExecutablePath() + "\"";
    started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_) != 0;
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return started_; }
  bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool WaitForExit(int milliseconds) const { return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  DWORD Id() const { return info_.dwProcessId; }

  // The program's main window, once it shows one.
  HWND MainWindow(int milliseconds) const {
    for (int waited = 0; waited < milliseconds; waited += 50) {
      Found found{Id(), nullptr};
      EnumWindows(&Program::Consider, reinterpret_cast<LPARAM>(&found));
      if (found.window) return found.window;
      Sleep(50);
    }
    return nullptr;
  }

  static int VisibleMainWindows(DWORD process) {
    Found found{process, nullptr, 0};
    EnumWindows(&Program::Count, reinterpret_cast<LPARAM>(&found));
    return found.count;
  }

 private:
  struct Found {
    DWORD process;
    HWND window;
    int count = 0;
  };
  static bool IsMainWindow(HWND window, DWORD process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    return owner == process && IsWindowVisible(window) && std::string(title) == "Zentrova";
  }
  static BOOL CALLBACK Consider(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (!IsMainWindow(window, found->process)) return TRUE;
    found->window = window;
    return FALSE;
  }
  static BOOL CALLBACK Count(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (IsMainWindow(window, found->process)) ++found->count;
    return TRUE;
  }

  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChildById(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

TEST(Instance, SecondStartShowsTheMessageAndEndsWhileTheFirstRunsOn) {
  Program first;
  ASSERT_TRUE(first.Started()) << ExecutablePath();
  HWND window = first.MainWindow(30000);
  ASSERT_NE(window, nullptr) << "the first instance shows its window";

  testsupport::MessageBoxWatcher watcher("Hivesweep", /*anyProcess=*/true);
  {
    Program second;
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitForExit(30000)) << "the second instance ends after the message";
    EXPECT_EQ(Program::VisibleMainWindows(second.Id()), 0);
  }
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Already running an instance.");
  EXPECT_THAT(seen[0].buttons, ::testing::ElementsAre(IDOK));
  EXPECT_TRUE(seen[0].hasIcon);
  EXPECT_TRUE(first.Running());

  // Exit (the fourth command button) ends the first instance at once.
  ChildSearch exitButton{203, nullptr};
  EnumChildWindows(window, &FindChildById, reinterpret_cast<LPARAM>(&exitButton));
  ASSERT_NE(exitButton.found, nullptr);
  PostMessageA(exitButton.found, BM_CLICK, 0, 0);
  ASSERT_TRUE(first.WaitForExit(20000));
  EXPECT_EQ(first.ExitCode(), 0u);
}

}  // namespace
