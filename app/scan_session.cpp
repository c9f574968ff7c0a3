#include "app/scan_session.h"

#include "app/ignoring_errors.h"
#include "app/scan_parameters.h"
#include "engine/stop_scan.h"

namespace app {

namespace {

constexpr int kStatusWidthScanning = 855;
constexpr int kStatusWidthDone = 3000;

}  // namespace

ScanSession::ScanSession(MainView& view, ListView& lvErrorRegKey, const ScanPlatform& platform)
    : view_(view),
      lvErrorRegKey_(lvErrorRegKey),
      platform_(platform),
      classifier_(lvErrorRegKey, platform.files, platform.codePage) {}

void ScanSession::Load() { cReg = NewSearch(); }

std::shared_ptr<engine::cRegSearch> ScanSession::NewSearch() {
  auto search = std::make_shared<engine::cRegSearch>(platform_.registry, platform_.pump, platform_.codePage);
  search->SearchFound = [this](const std::string& root, const std::string& key, const std::string& value,
                               std::int32_t lFound) { classifier_.cReg_SearchFound(root, key, value, lFound); };
  search->SearchKeyChanged = [this](const std::string& name) { cReg_SearchKeyChanged(name); };
  search->SearchFinished = [this](std::int32_t reason) { cReg_SearchFinished(reason); };
  return search;
}

void ScanSession::cmdStart_Click() {
  // A scan runs to its end before another can start; Start Search is
  // disabled meanwhile, and a click that gets through anyway does nothing.
  if (scanState_ == ScanState::kScanning) return;
  scanState_ = ScanState::kScanning;
  Step([&] { view_.ShowScanPanel(); });
  Step([&] { view_.SetTimerEnabled(true); });
  StopScan = false;
  Step([&] { view_.ShowScanningHeader(true); });
  Step([&] { view_.SetCurrentKeyVisible(true); });
  Step([&] { view_.SetStatusWidth(kStatusWidthScanning); });
  Step([&] { view_.SetStatus("Scanning :"); });
  for (CommandButton b : {CommandButton::SelectAll, CommandButton::Unselect, CommandButton::Delete,
                          CommandButton::Start, CommandButton::UndoCenter}) {
    Step([&] { view_.SetButtonEnabled(b, false); });
  }
  Step([&] { view_.SetButtonEnabled(CommandButton::Stop, true); });
  Step([&] { cReg = NewSearch(); });
  Step([&] { lvErrorRegKey_.Clear(); });
  Step([&] { view_.SetCurrentKey(""); });

  // The walk holds its own reference: handlers nested inside it may not
  // pull the object out from under it.
  const std::shared_ptr<engine::cRegSearch> search = cReg;
  lastReason_ = 0;
  Step([&] {
    if (!search) return;
    ConfigureScan(*search);
    search->DoSearch();
  });

  Step([&] { view_.SetCurrentKey(""); });
  if (lastReason_ == 0) Step([&] { view_.SetStatus("Completed..."); });
  for (CommandButton b : {CommandButton::SelectAll, CommandButton::Unselect, CommandButton::Delete}) {
    Step([&] { view_.SetButtonEnabled(b, true); });
  }
  Step([&] { view_.SetTimerEnabled(false); });
  Step([&] { view_.SetProgressPosition(100); });
  Step([&] { view_.ShowScanningHeader(false); });
  Step([&] { view_.SetErrorCount(std::to_string(lvErrorRegKey_.Count())); });
  Step([&] { view_.SetButtonEnabled(CommandButton::Start, true); });
  Step([&] { view_.SetButtonEnabled(CommandButton::UndoCenter, true); });
  Step([&] { view_.SetButtonEnabled(CommandButton::Stop, false); });
  scanState_ = ScanState::kStopped;
  Step([&] { view_.RestButton(CommandButton::Start); });
}

void ScanSession::cmdStop_Click() {
  Step([&] { view_.SetTimerEnabled(false); });
  int answer = 0;
  Step([&] {
    answer = platform_.boxes.Show("Are you sure you want to stop the registry scan process?", kApplicationTitle,
                                  platform::mb::kYesNo | platform::mb::kDefaultButton1 |
                                      platform::mb::kIconExclamation);
  });
  if (answer == platform::mb::kAnswerNo) {
    Step([&] { view_.SetTimerEnabled(true); });
    Step([&] { view_.RestButton(CommandButton::Stop); });
    return;
  }
  scanState_ = ScanState::kStopped;
  StopScan = true;
  Step([&] { view_.SetTimerEnabled(false); });
  Step([&] { view_.SetProgressPosition(100); });
  for (CommandButton b : {CommandButton::SelectAll, CommandButton::Unselect, CommandButton::Delete}) {
    Step([&] { view_.SetButtonEnabled(b, true); });
  }
  Step([&] { view_.ShowScanningHeader(false); });
  Step([&] { view_.SetErrorCount(std::to_string(lvErrorRegKey_.Count())); });
  Step([&] { view_.SetButtonEnabled(CommandButton::Start, true); });
  Step([&] { view_.SetButtonEnabled(CommandButton::UndoCenter, true); });
  Step([&] { view_.RestButton(CommandButton::Stop); });
}

void ScanSession::cmdExit_Click() {
  if (scanState_ == ScanState::kScanning) return;
  Step([&] {
    if (cReg) cReg->StopSearch();
  });
  view_.EndProgram();
}

void ScanSession::QueryUnload(int* cancel) {
  if (scanState_ == ScanState::kScanning) *cancel = 1;
}

void ScanSession::Timer1_Timer() {
  Step([&] {
    const int position = view_.ProgressPosition();
    view_.SetProgressPosition(position < view_.ProgressMaximum() ? position + 1 : 0);
  });
}

void ScanSession::cReg_SearchKeyChanged(const std::string& sFullKeyName) {
  Step([&] { view_.SetCurrentKey(sFullKeyName); });
}

void ScanSession::cReg_SearchFinished(std::int32_t lReason) {
  lastReason_ = lReason;
  Step([&] { view_.SetCurrentKeyVisible(false); });
  Step([&] { view_.SetStatusWidth(kStatusWidthDone); });
  if (lReason == 0) {
    Step([&] { view_.SetErrorCount(std::to_string(lvErrorRegKey_.Count())); });
  } else if (lReason == 1) {
    Step([&] { view_.SetStatus("Scan Cancelled"); });
  } else {
    Step([&] { view_.SetStatus("Scan Error"); });
  }
}

}  // namespace app
