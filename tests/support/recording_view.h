// A main window that records what the session logic asks of it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/main_view.h"

namespace testsupport {

using app::CommandButton;

class RecordingView final : public app::MainView {
 public:
  void ShowScanPanel() override { scanPanelShown = true; }
  void SetTimerEnabled(bool enabled) override { timer = enabled; }
  void ShowScanningHeader(bool scanning) override { scanningHeader = scanning; }
  void SetCurrentKeyVisible(bool visible) override { currentKeyVisible = visible; }
  void SetCurrentKey(const std::string& text) override {
    currentKey = text;
    ++currentKeyUpdates;
  }
  void SetCurrentKeyFont(int points, bool bold) override {
    currentKeyPoints = points;
    currentKeyBold = bold;
  }
  void ShowUndoPanel() override { undoPanelShown = true; }
  void SetStatusWidth(int twips) override { statusWidth = twips; }
  void SetStatus(const std::string& text) override { status = text; }
  void SetErrorCount(const std::string& text) override { errorCount = text; }
  void SetButtonEnabled(CommandButton button, bool enabled) override { enabledButtons[button] = enabled; }
  void RestButton(CommandButton button) override { rested.push_back(button); }
  int ProgressPosition() const override { return progress; }
  int ProgressMaximum() const override { return 100; }
  void SetProgressPosition(int position) override { progress = position; }
  void EndProgram() override { ended = true; }

  bool Enabled(CommandButton b) const { return enabledButtons.count(b) ? enabledButtons.at(b) : true; }

  bool scanPanelShown = false;
  bool timer = false;
  bool scanningHeader = false;
  bool currentKeyVisible = false;
  std::string currentKey;
  int currentKeyUpdates = 0;
  int currentKeyPoints = 8;
  bool currentKeyBold = false;
  bool undoPanelShown = false;
  int statusWidth = 855;
  std::string status = "Scanning :";
  std::string errorCount;
  std::map<CommandButton, bool> enabledButtons;
  std::vector<CommandButton> rested;
  int progress = 0;
  bool ended = false;
};

}  // namespace testsupport
