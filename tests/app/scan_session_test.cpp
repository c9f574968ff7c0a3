// The scan session against a recording view, the substitute registry and
// scripted message boxes: the states, texts and buttons of a scan, its stop
// and its end, with Stop clicks and timer ticks arriving inside the walk.
#include "app/scan_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "app/error_list.h"
#include "app/memory_list_view.h"
#include "engine/stop_scan.h"
#include "platform/substitute/host_file_system.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/scripted_message_boxes.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_drive.h"

namespace {

using app::CommandButton;
constexpr std::uint32_t HKCU = 0x80000001u;

class ScanSessionTest : public ::testing::Test {
 protected:
  ScanSessionTest() : files(drive.Root().string()), session(view, list, {registry, pump, boxes, files}) {
    for (int i = 0; i < 6; ++i) {
      registry.SetString(HKCU, "Software\\K" + std::to_string(i), "v", "C:\\gone\\" + std::to_string(i) + ".exe");
    }
    session.Load();
  }

  void ExpectEndOfScanState() {
    EXPECT_EQ(session.ScanState(), "stop");
    EXPECT_FALSE(view.timer);
    EXPECT_EQ(view.progress, 100);
    EXPECT_FALSE(view.scanningHeader);
    EXPECT_FALSE(view.Enabled(CommandButton::Stop));
    for (CommandButton b : {CommandButton::Start, CommandButton::UndoCenter, CommandButton::SelectAll,
                            CommandButton::Unselect, CommandButton::Delete}) {
      EXPECT_TRUE(view.Enabled(b));
    }
    EXPECT_EQ(view.currentKey, "");
    EXPECT_FALSE(view.currentKeyVisible);
    EXPECT_EQ(view.statusWidth, 3000);
  }

  testsupport::TempDrive drive;
  platform::HostFileSystem files;
  platform::MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  platform::ScriptedMessageBoxes boxes;
  app::MemoryListView list;
  testsupport::RecordingView view;
  app::ScanSession session;
};

TEST_F(ScanSessionTest, FullScanListsTheFindingsAndEndsInTheResultState) {
  std::string stateDuringScan;
  bool stopEnabledDuringScan = false;
  bool startEnabledDuringScan = true;
  pump.At(3, [&] {
    stateDuringScan = session.ScanState();
    stopEnabledDuringScan = view.Enabled(CommandButton::Stop);
    startEnabledDuringScan = view.Enabled(CommandButton::Start);
    EXPECT_TRUE(view.timer);
    EXPECT_TRUE(view.scanningHeader);
    EXPECT_EQ(view.status, "Scanning :");
    EXPECT_EQ(view.statusWidth, 855);
  });
  session.cmdStart_Click();
  EXPECT_EQ(stateDuringScan, "start");
  EXPECT_TRUE(stopEnabledDuringScan);
  EXPECT_FALSE(startEnabledDuringScan);

  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(view.errorCount, "6");
  EXPECT_EQ(view.status, "Completed...");
  EXPECT_TRUE(view.scanPanelShown);
  EXPECT_GT(view.currentKeyUpdates, 6);  // every key entered, then cleared
  ExpectEndOfScanState();
  EXPECT_EQ(view.rested.back(), CommandButton::Start);
}

TEST_F(ScanSessionTest, StopAnsweredNoGoesOnAndYesKeepsTheRowsFoundSoFar) {
  boxes.answers = {platform::mb::kAnswerNo, platform::mb::kAnswerYes};
  bool timerWhileAsking = true;
  boxes.whileOpen = [&] { timerWhileAsking = view.timer; };
  pump.At(4, [&] { session.cmdStop_Click(); });
  pump.At(5, [&] { EXPECT_TRUE(view.timer) << "No starts the bar again"; });
  // HKCU\Software lists K0..K5; stop after K2 was handled.
  std::size_t rowsAtStop = 0;
  pump.At(9, [&] {
    session.cmdStop_Click();
    rowsAtStop = static_cast<std::size_t>(list.Count());
    EXPECT_EQ(session.ScanState(), "stop");
    EXPECT_TRUE(StopScan);
    EXPECT_TRUE(view.Enabled(CommandButton::Stop)) << "stays enabled until the walk has unwound";
  });
  session.cmdStart_Click();

  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text, "Are you sure you want to stop the registry scan process?");
  EXPECT_EQ(boxes.asked[0].title, "Hivesweep");
  EXPECT_EQ(boxes.asked[0].flags, platform::mb::kYesNo | platform::mb::kIconExclamation | platform::mb::kDefaultButton1);
  EXPECT_FALSE(timerWhileAsking);

  EXPECT_GT(list.Count(), 0);
  EXPECT_LT(list.Count(), 6);
  EXPECT_EQ(static_cast<std::size_t>(list.Count()), rowsAtStop);
  EXPECT_EQ(view.errorCount, std::to_string(list.Count()));
  EXPECT_EQ(view.status, "Completed...");
  ExpectEndOfScanState();
}

TEST_F(ScanSessionTest, AnyAnswerButNoStops) {
  boxes.answers = {0};  // the box could not be shown
  pump.At(2, [&] { session.cmdStop_Click(); });
  session.cmdStart_Click();
  EXPECT_TRUE(StopScan);
  EXPECT_LT(list.Count(), 6);
}

TEST_F(ScanSessionTest, ExitAndCloseFollowTheScanState) {
  int cancel = 0;
  session.QueryUnload(&cancel);
  EXPECT_EQ(cancel, 0);

  bool endedDuringScan = true;
  int cancelDuringScan = 0;
  pump.At(3, [&] {
    session.cmdExit_Click();
    endedDuringScan = view.ended;
    session.QueryUnload(&cancelDuringScan);
  });
  session.cmdStart_Click();
  EXPECT_FALSE(endedDuringScan);
  EXPECT_EQ(cancelDuringScan, 1);

  cancel = 0;
  session.QueryUnload(&cancel);
  EXPECT_EQ(cancel, 0);
  session.cmdExit_Click();
  EXPECT_TRUE(view.ended);
}

TEST_F(ScanSessionTest, ExitBeforeAnyScanEndsTheProgram) {
  session.cmdExit_Click();
  EXPECT_TRUE(view.ended);
}

TEST_F(ScanSessionTest, SecondScanStartsFromAnEmptyListAndAClearedStop) {
  list.Add("left over from before");
  StopScan = true;
  session.cmdStart_Click();
  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(app::FindingAt(list, 1).rootPath, "HKEY_CURRENT_USER");
  session.cmdStart_Click();
  EXPECT_EQ(list.Count(), 6);
}

TEST_F(ScanSessionTest, StartInsideARunningScanDoesNothing) {
  pump.At(3, [&] { session.cmdStart_Click(); });
  session.cmdStart_Click();
  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(view.errorCount, "6");
}

TEST_F(ScanSessionTest, ScanThatFindsNothingShowsZero) {
  platform::MemoryRegistry empty;
  app::ScanSession quiet(view, list, {empty, pump, boxes, files});
  quiet.Load();
  quiet.cmdStart_Click();
  EXPECT_EQ(view.errorCount, "0");
  EXPECT_EQ(view.status, "Completed...");
}

TEST_F(ScanSessionTest, ErrorEndingTheWalkShowsScanErrorAndKeepsTheRows) {
  registry.FailKeyEnumeration(HKCU, "Software", platform::reg_result::kInvalidHandle, 3);
  // A handler that fails inside the walk: the error number ends it.
  pump.At(6, [] { throw std::runtime_error("failed inside the walk"); });
  session.cmdStart_Click();
  EXPECT_EQ(view.status, "Scan Error");
  EXPECT_EQ(view.errorCount, std::to_string(list.Count()));
  ExpectEndOfScanState();
}

TEST_F(ScanSessionTest, FinishedReasonsSetTheStatus) {
  session.cReg_SearchFinished(1);
  EXPECT_EQ(view.status, "Scan Cancelled");
  EXPECT_EQ(view.statusWidth, 3000);
  session.cReg_SearchFinished(0);
  EXPECT_EQ(view.status, "Scan Cancelled");  // 0 leaves the text to the end of the scan
  session.cReg_SearchFinished(91);
  EXPECT_EQ(view.status, "Scan Error");
}

TEST_F(ScanSessionTest, TimerCyclesTheBar) {
  view.progress = 99;
  session.Timer1_Timer();
  EXPECT_EQ(view.progress, 100);
  session.Timer1_Timer();
  EXPECT_EQ(view.progress, 0);
  session.Timer1_Timer();
  EXPECT_EQ(view.progress, 1);
}

}  // namespace
