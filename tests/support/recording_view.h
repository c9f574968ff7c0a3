// A main window that records what the window-free logic asks of it, a list
// read back as text, and the substitutes that logic runs against. Nothing is
// set on the window until the logic sets it: no button counts as enabled, no
// text is shown.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "app/memory_list_view.h"
#include "platform/substitute/fixed_clock.h"
#include "platform/substitute/host_file_system.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/recording_restore_point.h"
#include "platform/substitute/recording_shell.h"
#include "platform/substitute/scripted_message_boxes.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/temp_drive.h"

namespace testsupport {

using app::CommandButton;

class RecordingView final : public app::MainView {
 public:
  void ShowScanPanel() override { panel = "scan"; }
  void SetTimerEnabled(bool enabled) override { timer = enabled; }
  void ShowScanningHeader(bool scanning) override { header = scanning ? "scanning" : "results"; }
  void SetCurrentKeyVisible(bool visible) override { keyVisible = visible; }
  void SetCurrentKey(const std::string& text) override { currentKey = text; }
  void SetCurrentKeyFont(int points, bool bold) override { keyFont = std::to_string(points) + (bold ? " bold" : ""); }
  void ShowUndoPanel() override { panel = "undo"; }
  void SetStatusWidth(int twips) override { statusWidth = twips; }
  void SetStatus(const std::string& text) override { status = text; }
  void SetErrorCount(const std::string& text) override { errorCount = text; }
  void SetButtonEnabled(CommandButton button, bool enabled) override { enabled_[button] = enabled; }
  void RestButton(CommandButton button) override { rested.push_back(button); }
  int ProgressPosition() const override { return progress; }
  int ProgressMaximum() const override { return 100; }
  void SetProgressPosition(int position) override { progress = position; }
  void EndProgram() override { ended = true; }

  // The scan panel in one line: panel, timer, header, current key, status
  // and its width, error count, bar position, enabled buttons.
  std::string State() const {
    static const char* const kButtons[] = {"Start", "Stop", "Undo", "Exit", "All", "None", "Delete", "Restore", "Remove"};
    std::string text = panel + (timer ? " timer " : " - ") + header + (keyVisible ? " key '" : " no key '") + currentKey +
                       "' '" + status + "' " + std::to_string(statusWidth) + " count '" + errorCount + "' bar " +
                       std::to_string(progress) + ":";
    for (const auto& [button, on] : enabled_) text += on ? std::string(" ") + kButtons[static_cast<int>(button)] : "";
    return text;
  }

  std::string panel, header, currentKey, status, errorCount, keyFont;
  bool timer = false, keyVisible = false, ended = false;
  int statusWidth = 0, progress = 0;
  std::vector<CommandButton> rested;

 private:
  std::map<CommandButton, bool> enabled_;
};

// The rows of a list, one line each: "x " for a checked row, then its texts.
inline std::string Rows(const app::ListView& list, int columns = 4) {
  std::string text;
  for (app::RowNumber row = 1; row <= list.Count(); ++row) {
    text += (list.Checked(row) ? "x " : "") + list.Text(row);
    for (int i = 1; i < columns; ++i) text += " | " + list.SubItem(row, i);
    text += "\n";
  }
  return text;
}

// The check marks of a list: "x" for a checked row, "-" for one that is not.
inline std::string Checks(const app::ListView& list) {
  std::string marks;
  for (app::RowNumber row = 1; row <= list.Count(); ++row) marks += list.Checked(row) ? 'x' : '-';
  return marks;
}

// A host folder as drive C with an empty Documents folder, the in-memory
// registry, scripted boxes and pump, a clock that always reads 4 December
// 2026, 19:09:45, recorders for restore points and the shell, the window and
// a list.
struct AppWorld {
  AppWorld() { drive.AddFile("Users/User/Documents/.keep"); }

  TempDrive drive;
  platform::HostFileSystem files{drive.Root().string()};
  platform::MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  platform::ScriptedMessageBoxes boxes;
  platform::FixedClock clock{platform::LocalTime{2026, 12, 4, 19, 9, 45}};
  platform::RecordingRestorePoint restorePoint;
  platform::RecordingShell shell{&files};
  RecordingView view;
  app::MemoryListView list;
};

}  // namespace testsupport
