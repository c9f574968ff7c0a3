// The scan session against a recording view, the substitute registry and
// scripted message boxes: the states, texts and buttons of a scan, its stop
// and its end, with Stop clicks and timer ticks arriving inside the walk.
#include "app/scan_session.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/error_list.h"
#include "engine/stop_scan.h"
#include "tests/support/recording_view.h"

namespace {

using app::CommandButton;
namespace mb = platform::mb;

// Texts left by an earlier scan (count and bar) stay until this one ends.
std::string Scanning(const std::string& key, const std::string& earlier = "count \"\" | bar 0") {
  return "scan | timer | scanning | key shown \"HKEY_CURRENT_USER\\Software" + key + "\" | \"Scanning :\" 855 | " +
         earlier + " | Stop";
}
std::string Ended(const std::string& status, int count) {
  return "scan | no timer | results | key hidden \"\" | \"" + status + "\" 3000 | count \"" + std::to_string(count) +
         "\" | bar 100 | Start UndoCenter SelectAll Unselect Delete";
}

// Six values that name missing files, one per key under Software. Pump
// calls: 1 at the end of HKEY_CLASSES_ROOT's empty list, 2 before Software,
// 3 before K0, 4 at the end of K0's list, 5 before K1, ... 9 before K3.
class ScanSessionTest : public ::testing::Test, protected testsupport::AppWorld {
 protected:
  ScanSessionTest() {
    for (const std::string key : {"K0", "K1", "K2", "K3", "K4", "K5"}) {
      registry.SetString(0x80000001u, "Software\\" + key, "v", "C:\\gone\\" + key + ".exe");
    }
    session.Load();
  }
  app::ScanSession session{view, list, {registry, pump, boxes, files}};
};

TEST_F(ScanSessionTest, FullScanListsTheFindingsAndEndsInTheResultState) {
  pump.At(3, [&] { EXPECT_EQ(session.ScanState() + " " + view.State(), "start " + Scanning("")); });
  session.cmdStart_Click();
  EXPECT_EQ(list.Count(), 6);
  EXPECT_GT(view.currentKeyUpdates, 6);  // every key entered, then cleared
  EXPECT_EQ(session.ScanState() + " " + view.State(), "stop " + Ended("Completed...", 6));
  EXPECT_EQ(view.rested, std::vector<CommandButton>{CommandButton::Start});
}

TEST_F(ScanSessionTest, StopAnsweredNoGoesOnAndYesKeepsTheRowsFoundSoFar) {
  boxes.answers = {mb::kAnswerNo, mb::kAnswerYes};
  bool timerWhileAsking = false;
  boxes.whileOpen = [&] { timerWhileAsking = timerWhileAsking || view.timer; };
  pump.At(4, [&] { session.cmdStop_Click(); });
  pump.At(5, [&] { EXPECT_EQ(view.State(), Scanning("\\K0")) << "No starts the bar again"; });
  pump.At(9, [&] {
    session.cmdStop_Click();
    EXPECT_TRUE(StopScan);
    // Stop Search stays enabled until the walk has unwound.
    EXPECT_EQ(session.ScanState() + " " + view.State(),
              "stop scan | no timer | results | key shown \"HKEY_CURRENT_USER\\Software\\K2\" | \"Scanning :\" 855 | "
              "count \"3\" | bar 100 | Start Stop UndoCenter SelectAll Unselect Delete");
  });
  session.cmdStart_Click();
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text + " | " + boxes.asked[0].title,
            "Are you sure you want to stop the registry scan process? | Hivesweep");
  EXPECT_EQ(boxes.asked[0].flags, mb::kYesNo | mb::kIconExclamation | mb::kDefaultButton1);
  EXPECT_FALSE(timerWhileAsking);
  EXPECT_EQ(view.State(), Ended("Completed...", 3));
  EXPECT_EQ(view.rested, (std::vector<CommandButton>{CommandButton::Stop, CommandButton::Stop, CommandButton::Start}));
}

TEST_F(ScanSessionTest, AnyAnswerButNoStops) {
  boxes.answers = {0};  // the box could not be shown
  pump.At(4, [&] { session.cmdStop_Click(); });
  session.cmdStart_Click();
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(ScanSessionTest, ExitAndCloseAreRefusedOnlyWhileAScanRuns) {
  testsupport::RecordingView fresh;
  app::ScanSession(fresh, list, {registry, pump, boxes, files}).cmdExit_Click();  // before any scan
  EXPECT_TRUE(fresh.ended);
  int cancel = 0;
  pump.At(3, [&] {
    session.cmdExit_Click();
    session.QueryUnload(&cancel);
    EXPECT_EQ(cancel, 1);
  });
  session.cmdStart_Click();
  EXPECT_FALSE(view.ended);
  cancel = 0;
  session.QueryUnload(&cancel);
  EXPECT_EQ(cancel, 0);
  session.cmdExit_Click();
  EXPECT_TRUE(view.ended);
}

TEST_F(ScanSessionTest, EachScanStartsFromAnEmptyListAndAClearedStopAndRunsAlone) {
  list.Add("left over from before");
  StopScan = true;
  session.cmdStart_Click();
  EXPECT_EQ(app::FindingAt(list, 1).rootPath, "HKEY_CURRENT_USER");
  pump.At(pump.Calls() + 3, [&] {
    EXPECT_EQ(view.State(), Scanning("", "count \"6\" | bar 100"));
    session.cmdStart_Click();  // a click that gets through does nothing
  });
  session.cmdStart_Click();
  EXPECT_EQ(view.State(), Ended("Completed...", 6));
}

TEST_F(ScanSessionTest, ScanThatFindsNothingShowsZeroAndOneThatFailsShowsScanError) {
  platform::MemoryRegistry empty;
  app::ScanSession quiet(view, list, {empty, pump, boxes, files});
  quiet.Load();
  quiet.cmdStart_Click();
  EXPECT_EQ(view.State(), Ended("Completed...", 0));
  pump.At(pump.Calls() + 6, [] { throw std::runtime_error("failed inside the walk"); });  // ends K1's list
  session.cmdStart_Click();
  EXPECT_EQ(view.State(), Ended("Scan Error", 6));  // the rows found stay; the rest are still tested
}

TEST_F(ScanSessionTest, FinishedReasonsSetTheStatusAndTheTimerCyclesTheBar) {
  const std::pair<std::int32_t, const char*> reasons[] = {{1, "\"Scan Cancelled\" 3000 | count \"\""},
                                                          {0, "\"Scan Cancelled\" 3000 | count \"0\""},  // the count only
                                                          {91, "\"Scan Error\" 3000 | count \"0\""}};
  for (const auto& [reason, state] : reasons) {
    view.keyVisible = true;
    session.cReg_SearchFinished(reason);
    EXPECT_EQ(view.State(), " | no timer |  | key hidden \"\" | " + std::string(state) + " | bar 0 |");
  }
  view.progress = 99;
  for (int expected : {100, 0, 1}) {
    session.Timer1_Timer();
    EXPECT_EQ(view.progress, expected);
  }
}

}  // namespace
