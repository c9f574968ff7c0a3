// Scans through the real main window: Start Search, Stop Search with its
// question, Exit and close while a scan runs, and what the window shows.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/error_list.h"
#include "platform/substitute/recording_shell.h"
#include "tests/support/finding_tree.h"
#include "tests/wine/message_box_watcher.h"
#include "tests/wine/prefix_files.h"
#include "tests/wine/scratch_key.h"
#include "tests/window/form1_fixture.h"

namespace {

using app::CommandButton;
using testsupport::Form1Test;

constexpr char kStopQuestion[] = "Are you sure you want to stop the registry scan process?";

std::vector<app::ScanFinding> RowsUnder(app::ListView& list, const std::string& root, const std::string& base) {
  std::vector<app::ScanFinding> rows;
  for (app::RowNumber i = 1; i <= list.Count(); ++i) {
    app::ScanFinding f = app::FindingAt(list, i);
    if (f.rootPath == root && f.subPath.find(base) != std::string::npos) rows.push_back(f);
  }
  return rows;
}

class ScanWindowTest : public Form1Test {
 protected:
  void ExpectResultState() {
    EXPECT_EQ(Form().Session().ScanState(), "stop");
    EXPECT_TRUE(IsWindowEnabled(ButtonWindow(CommandButton::Start)));
    EXPECT_FALSE(IsWindowEnabled(ButtonWindow(CommandButton::Stop)));
    for (CommandButton b : {CommandButton::UndoCenter, CommandButton::Exit, CommandButton::SelectAll,
                            CommandButton::Unselect, CommandButton::Delete}) {
      EXPECT_TRUE(IsWindowEnabled(ButtonWindow(b))) << static_cast<int>(b);
    }
    EXPECT_FALSE(Form().TimerEnabled());
    EXPECT_EQ(Form().ProgressPosition(), 100);
    EXPECT_TRUE(Form().ResultHeader().Visible());
    EXPECT_FALSE(Form().ScanningHeader().Visible());
    EXPECT_EQ(Form().ResultHeader().LabelText(app::Form1::ErrorCountLabelId()),
              std::to_string(Form().ErrorList().Count()));
    EXPECT_FALSE(Form().ScanListFrame().LabelVisible(app::Form1::CurrentKeyLabelId()));
    EXPECT_EQ(Form().ScanListFrame().LabelWidth(app::Form1::StatusLabelId()), 3000);
  }

  HWND StopButton() { return ButtonWindow(CommandButton::Stop); }
  HWND ListWindow() { return Form().ErrorList().Handle(); }
};

TEST_F(ScanWindowTest, FullScanOfASeededPrefixListsExactlyTheStaleEntries) {
  testsupport::PrefixFiles prefixFiles;
  testsupport::ScratchKey scratch;
  scratch.Build(testsupport::FindingTree(prefixFiles.Folder()));
  EXPECT_TRUE(Form().WelcomePanel().Visible());
  EXPECT_FALSE(IsWindowEnabled(StopButton()));
  Screenshot("welcome-panel");

  bool sawScanningState = false;
  HWND stop = StopButton();
  HWND start = ButtonWindow(CommandButton::Start);
  std::thread observer([&] {
    for (int i = 0; i < 2000 && !sawScanningState; ++i) {
      sawScanningState = IsWindowEnabled(stop) && !IsWindowEnabled(start);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  Click(CommandButton::Start);
  observer.join();
  EXPECT_TRUE(sawScanningState);

  EXPECT_TRUE(Form().ScanPanel().Visible());
  EXPECT_FALSE(Form().WelcomePanel().Visible());
  EXPECT_THAT(RowsUnder(Form().ErrorList(), "HKEY_CURRENT_USER", scratch.Path()),
              ::testing::ElementsAreArray(testsupport::ExpectedFindings(scratch.Path(), prefixFiles.Folder())));
  EXPECT_EQ(Form().ScanListFrame().LabelText(app::Form1::StatusLabelId()), "Completed...");
  ExpectResultState();
  Screenshot("scan-results");

  Click(CommandButton::UndoCenter);
  EXPECT_TRUE(Form().UndoPanel().Visible());
  EXPECT_FALSE(Form().ScanPanel().Visible());
  Screenshot("undo-center");
}

TEST_F(ScanWindowTest, StopAnsweredNoGoesOnThenYesKeepsTheRowsFound) {
  testsupport::PrefixFiles prefixFiles;
  testsupport::ScratchKey scratch;
  scratch.Build(testsupport::FindingTree(prefixFiles.Folder()));
  testsupport::MessageBoxWatcher watcher;
  watcher.Answer({IDNO, IDYES});

  HWND stop = StopButton();
  HWND list = ListWindow();
  std::thread stopper([&] {
    // First Stop as soon as the scan runs; the second once the first box was answered.
    for (int i = 0; i < 6000 && !IsWindowEnabled(stop); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    PostMessageA(stop, BM_CLICK, 0, 0);
    watcher.WaitFor(1);
    const LRESULT rowsAfterNo = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    // The scratch rows under HKEY_CURRENT_USER arrive before the walk ends,
    // however slow the machine.
    for (int i = 0; i < 12000 && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) <= rowsAfterNo; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    PostMessageA(stop, BM_CLICK, 0, 0);
  });
  Click(CommandButton::Start);
  stopper.join();

  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 2u);
  for (const auto& box : seen) {
    EXPECT_EQ(box.text, kStopQuestion);
    EXPECT_THAT(box.buttons, ::testing::UnorderedElementsAre(IDYES, IDNO));
    EXPECT_EQ(box.defaultButton, IDYES);
    EXPECT_TRUE(box.hasIcon);
  }
  EXPECT_TRUE(StopScan);
  EXPECT_GT(Form().ErrorList().Count(), 0);
  EXPECT_EQ(Form().ScanListFrame().LabelText(app::Form1::StatusLabelId()), "Completed...");
  ExpectResultState();
}

TEST_F(ScanWindowTest, CloseAndExitDoNothingDuringAScanAndExitEndsAfterIt) {
  testsupport::MessageBoxWatcher watcher;  // answers the Stop question with its default, Yes
  HWND form = Form().Handle();
  HWND stop = StopButton();
  HWND exitButton = ButtonWindow(CommandButton::Exit);
  std::atomic<bool> closeRefused{false};
  std::thread disturber([&] {
    for (int i = 0; i < 6000 && !IsWindowEnabled(stop); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    PostMessageA(form, WM_CLOSE, 0, 0);
    PostMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(exitButton, BM_CLICK, 0, 0);
    closeRefused = SendMessageA(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == FALSE;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    PostMessageA(stop, BM_CLICK, 0, 0);
  });
  Click(CommandButton::Start);
  disturber.join();

  EXPECT_TRUE(IsWindow(form));
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_FALSE(ended_);
  EXPECT_TRUE(closeRefused);
  ASSERT_EQ(watcher.Seen().size(), 1u) << "only the Stop question, nothing about the close";
  ExpectResultState();

  EXPECT_EQ(SendMessageA(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  Click(CommandButton::Exit);
  EXPECT_TRUE(ended_);
}

TEST_F(ScanWindowTest, ExitBeforeAnyScanEndsAtOnce) {
  Click(CommandButton::Exit);
  EXPECT_TRUE(ended_);
}

TEST_F(ScanWindowTest, LinksLightUpUnderThePointerAndTheBannerPutsThemOut) {
  app::Panel& banner = Form().Banner();
  auto moveTo = [&](int twipsX, int twipsY) {
    const RECT r = banner.PixelsOf({twipsX, twipsY, 0, 0});
    SendMessageA(banner.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left, r.top));
  };
  auto lit = [&](int id) {
    return banner.LabelFont(id).Underline;
  };
  moveTo(9945 + 120 + 100, 360 + 100);  // over Home
  EXPECT_TRUE(Form().HandCursorShown());
  EXPECT_TRUE(lit(app::Form1::HomeLabelId()));
  EXPECT_FALSE(lit(app::Form1::HelpLabelId()));
  moveTo(11025 + 120 + 100, 360 + 100);  // straight onto Help
  EXPECT_TRUE(lit(app::Form1::HelpLabelId()));
  EXPECT_FALSE(lit(app::Form1::HomeLabelId()));
  moveTo(1440 + 120 + 100, 195 + 100);  // the title changes nothing
  EXPECT_TRUE(Form().HandCursorShown());
  EXPECT_TRUE(lit(app::Form1::HelpLabelId()));
  moveTo(5000, 100);  // the banner picture itself
  EXPECT_FALSE(Form().HandCursorShown());
  EXPECT_FALSE(lit(app::Form1::HelpLabelId()));
  EXPECT_FALSE(lit(app::Form1::HomeLabelId()));

  moveTo(9945 + 120 + 100, 360 + 100);
  SendMessageA(Form().WelcomePanel().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
  EXPECT_FALSE(Form().HandCursorShown());
  EXPECT_TRUE(lit(app::Form1::HomeLabelId())) << "a panel leaves the link colours as they were";
}

TEST_F(ScanWindowTest, HelpAndHomeOpenThroughTheShell) {
  platform::RecordingShell shell;
  app::Form1 form({registry_, pump_, boxes_, files_, clock_, restorePoint_, shell, instance_,
                   "C:\\Program Files\\Hivesweep", [] {}});
  ASSERT_TRUE(form.Load(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  auto clickAt = [&](int twipsX, int twipsY) {
    const RECT r = form.Banner().PixelsOf({twipsX, twipsY, 0, 0});
    SendMessageA(form.Banner().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left, r.top));
  };
  clickAt(11025 + 120 + 100, 360 + 100);  // Help
  clickAt(9945 + 120 + 100, 360 + 100);   // Home
  clickAt(5000, 100);                     // the banner itself opens nothing
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(shell.opened[0].file, "C:\\Program Files\\Hivesweep\\help\\ZTV.chm");
  EXPECT_EQ(shell.opened[0].directory, "C:\\");
  EXPECT_EQ(shell.opened[1].file, app::kHomeAddress);
}

}  // namespace
