// One registry scan at a time, run from the main window: Start Search runs
// the whole walk inside its click handler, the walk keeps the window alive,
// Stop Search interrupts it after a question, and Exit and closing the window
// follow the scan state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/finding_classifier.h"
#include "app/list_view.h"
#include "app/main_view.h"
#include "engine/reg_search.h"
#include "engine/text_compare.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/registry.h"

namespace app {

struct ScanPlatform {
  platform::Registry& registry;
  platform::MessagePump& pump;
  platform::MessageBoxes& boxes;
  platform::FileSystem& files;
  // The system ANSI code page, by which hits are matched and cut.
  const platform::CodePage& codePage = engine::DefaultCodePage();
};

// What Exit and closing the window consult.
enum class ScanState {
  kNotStarted,  // before the first scan
  kScanning,    // from Start Search until the search returns
  kStopped,     // after the search returned, or from a confirmed Stop on
};

class ScanSession {
 public:
  ScanSession(MainView& view, ListView& lvErrorRegKey, const ScanPlatform& platform);

  // Window load: the first search object.
  void Load();

  void cmdStart_Click();
  void cmdStop_Click();
  void cmdExit_Click();
  // A request to close the window; *cancel set to 1 refuses it.
  void QueryUnload(int* cancel);
  void Timer1_Timer();

  void cReg_SearchKeyChanged(const std::string& sFullKeyName);
  void cReg_SearchFinished(std::int32_t lReason);

  ScanState State() const { return scanState_; }

 private:
  std::shared_ptr<engine::cRegSearch> NewSearch();
  void ShowResults();

  MainView& view_;
  ListView& lvErrorRegKey_;
  ScanPlatform platform_;
  FindingClassifier classifier_;
  std::shared_ptr<engine::cRegSearch> cReg;
  ScanState scanState_ = ScanState::kNotStarted;
  std::int32_t lastReason_ = 0;  // of the last SearchFinished, for the closing status text
};

}  // namespace app
