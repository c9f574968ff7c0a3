// A scan in the real window, disturbed while it runs: close requests and Exit
// refused, Stop answered No and then Yes in the platform's message box; and
// the Help and Home links handed to the shell.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "engine/stop_scan.h"
#include "platform/substitute/recording_shell.h"
#include "tests/support/message_box_watcher.h"
#include "tests/support/real_registry.h"
#include "tests/window/window_test.h"

namespace {

using app::CommandButton;
using testsupport::WaitUntil;

using ScanWindowTest = testsupport::WindowTest;

TEST_F(ScanWindowTest, DuringAScanCloseAndExitAreRefusedAndStopAsksNoThenYes) {
  testsupport::ScratchKey scratch;  // a row under HKEY_CURRENT_USER, long before the walk ends
  const std::string gone = "C:\\HsTest-gone-" + std::to_string(GetCurrentProcessId()) + "\\x.exe";
  scratch.Build({testsupport::Sz("Run", "Gone", gone)});
  testsupport::MessageBoxWatcher watcher;
  watcher.Answer({IDNO, IDYES});
  HWND window = Form().Handle();
  HWND start = ButtonWindow(CommandButton::Start);
  HWND stop = ButtonWindow(CommandButton::Stop);
  HWND exitButton = ButtonWindow(CommandButton::Exit);
  HWND list = Form().ErrorList().Handle();
  std::atomic<bool> startDisabled{false}, closeRefused{false}, rowsAfterNo{false};
  std::thread disturber([&] {
    WaitUntil([&] { return IsWindowEnabled(stop) != FALSE; }, 60000);
    startDisabled = !IsWindowEnabled(start);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(exitButton, BM_CLICK, 0, 0);
    closeRefused = SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == FALSE;
    PostMessageA(stop, BM_CLICK, 0, 0);
    // No: the scan goes on and lists more rows.
    WaitUntil([&] { return watcher.Seen().size() == 1; });
    const LRESULT rows = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    rowsAfterNo = WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > rows; }, 60000);
    PostMessageA(stop, BM_CLICK, 0, 0);
  });
  Click(CommandButton::Start);
  disturber.join();

  EXPECT_TRUE(startDisabled);
  EXPECT_TRUE(closeRefused);
  EXPECT_TRUE(rowsAfterNo);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(ended_);
  const testsupport::SeenBox question{"Are you sure you want to stop the registry scan process?", {IDYES, IDNO}, IDYES,
                                      true};
  EXPECT_EQ(watcher.Seen(), std::vector<testsupport::SeenBox>(2, question)) << "twice, nothing about the close";
  // Yes: the walk wound down and the rows found so far stay.
  EXPECT_TRUE(StopScan);
  EXPECT_GT(Form().ErrorList().Count(), 0);
  ExpectResultState();

  // After the scan the window may close, and Exit ends the program.
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  Click(CommandButton::Exit);
  EXPECT_TRUE(ended_);
}

TEST_F(ScanWindowTest, LinksOpenTheHelpFileAndTheHomePageThroughTheShell) {
  platform::RecordingShell shell;
  app::Form1 form({registry_, pump_, boxes_, files_, clock_, restorePoint_, shell, instance_,
                   "C:\\Program Files\\Hivesweep", [] {}});
  ASSERT_TRUE(form.Load(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  HWND banner = form.Banner().Handle();
  auto at = [&](int left) { return MAKELPARAM(Px(left + 120 + 100), Px(360 + 100)); };
  // A link opens on a press and a release on it: Help, Home; not on the banner
  // picture, a press on one link released on the other, or a lone release.
  for (auto [pressed, released] : {std::pair{11025, 11025}, {9945, 9945}, {5000, 5000}, {11025, 9945}, {9945, 11025}}) {
    SendMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, at(pressed));
    SendMessageA(banner, WM_LBUTTONUP, 0, at(released));
  }
  SendMessageA(banner, WM_LBUTTONUP, 0, at(11025));
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(shell.opened[0].file, "C:\\Program Files\\Hivesweep\\help\\ZTV.chm");
  EXPECT_EQ(shell.opened[0].directory, "C:\\");
  EXPECT_EQ(shell.opened[1].file, app::kHomeAddress);
  EXPECT_EQ(shell.opened[1].directory, "C:\\");
}

}  // namespace
