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

std::string Text(app::ScanState state) {
  return state == app::ScanState::kScanning ? "start" : state == app::ScanState::kStopped ? "stop" : "";
}

// Texts left by an earlier scan (count and bar) stay until this one ends.
std::string Scanning(const std::string& key, const std::string& earlier = "count '' bar 0") {
  return "scan timer scanning key 'HKEY_CURRENT_USER\\Software" + key + "' 'Scanning :' 855 " + earlier + ": Stop";
}
std::string Ended(const std::string& status, int count) {
  return "scan - results no key '' '" + status + "' 3000 count '" + std::to_string(count) + "' bar 100: Start Undo All None Delete";
}

// Six values that name missing files, one per key under Software of
// HKEY_CURRENT_USER, and one under HKEY_USERS whose name and data both name
// one: eight rows. Pump calls: 1 at the end of HKEY_CLASSES_ROOT's empty
// list, 2 before Software, 3 before K0, 4 at the end of K0's list, 5 before
// K1, ... 9 before K3.
class ScanSessionTest : public ::testing::Test, protected testsupport::AppWorld {
 protected:
  ScanSessionTest() {
    for (const std::string key : {"K0", "K1", "K2", "K3", "K4", "K5"}) {
      registry.SetString(0x80000001u, "Software\\" + key, "v", "C:\\gone\\" + key + ".exe");
    }
    registry.SetString(0x80000003u, "S-1-5-21\\Run", "C:\\gone\\tool.exe", "\"C:\\gone\\tool.exe\" /q");
    session.Load();
  }
  app::ScanSession session{view, list, {registry, pump, boxes, files}};
};

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
    EXPECT_EQ(Text(session.State()) + " " + view.State(), "stop scan - results key 'HKEY_CURRENT_USER\\Software\\K2' "
                                                        "'Scanning :' 855 count '3' bar 100: Start Stop Undo All None Delete");
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

// Any answer to the Stop question but No stops the scan. A second scan, also
// after a stopped one, starts from an empty list with StopScan cleared; a
// Start that gets through while a scan runs does nothing, and Exit and closing
// the window are refused only while a scan runs.
TEST_F(ScanSessionTest, AnyAnswerButNoStopsAndEachScanStartsAfreshAndRunsAlone) {
  list.Add("left over from before");
  boxes.answers = {0};  // the box could not be shown
  pump.At(4, [&] { session.cmdStop_Click(); });
  session.cmdStart_Click();
  EXPECT_EQ(testsupport::Rows(list), "Missing or Invalid Path | HKEY_CURRENT_USER | Software\\K0\\v | C:\\gone\\K0.exe\n");
  int cancel = 0;
  pump.At(pump.Calls() + 3, [&] {
    EXPECT_EQ(Text(session.State()) + " " + view.State(), "start " + Scanning("", "count '1' bar 100"));
    session.cmdStart_Click();
    session.cmdExit_Click();
    session.QueryUnload(&cancel);
  });
  session.cmdStart_Click();
  EXPECT_EQ(cancel, 1);
  EXPECT_FALSE(view.ended);
  EXPECT_EQ(Text(session.State()) + " " + view.State(), "stop " + Ended("Completed...", 8));
  EXPECT_EQ(view.rested, (std::vector<CommandButton>{CommandButton::Stop, CommandButton::Start, CommandButton::Start}));
  cancel = 0;
  session.QueryUnload(&cancel);
  EXPECT_EQ(cancel, 0);
  session.cmdExit_Click();
  EXPECT_TRUE(view.ended);
}

// A scan that fails inside the walk shows "Scan Error" instead of
// "Completed...", and keeps its rows: the walk winds down as after a stop,
// testing the values of K1 to K5 but no later root.
TEST_F(ScanSessionTest, ScanThatFailsShowsScanError) {
  pump.At(4, [] { throw std::runtime_error("failed inside the walk"); });  // ends K0's list
  session.cmdStart_Click();
  EXPECT_EQ(view.State(), Ended("Scan Error", 6));
}

TEST_F(ScanSessionTest, FinishedReasonsSetTheStatusTheTimerCyclesTheBarAndExitEndsTheProgram) {
  const std::pair<std::int32_t, const char*> reasons[] = {
      {1, "'Scan Cancelled' 3000 count ''"}, {0, "'Scan Cancelled' 3000 count '0'"}, {91, "'Scan Error' 3000 count '0'"}};
  for (const auto& [reason, state] : reasons) {  // 0 sets the count only
    view.keyVisible = true;
    session.cReg_SearchFinished(reason);
    EXPECT_EQ(view.State(), " -  no key '' " + std::string(state) + " bar 0:");
  }
  view.progress = 99;
  for (int expected : {100, 0, 1}) {
    session.Timer1_Timer();
    EXPECT_EQ(view.progress, expected);
  }
  session.cmdExit_Click();  // before any scan
  EXPECT_TRUE(view.ended);
}

}  // namespace
