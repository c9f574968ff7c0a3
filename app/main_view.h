// What the scan session, the removal and the Undo Center drive on the main
// window. The window implements it; tests implement it with a recorder.
#pragma once

#include <string>

namespace app {

// The program's title: the caption of every message box it shows.
inline constexpr char kApplicationTitle[] = "Hivesweep";

enum class CommandButton { Start, Stop, UndoCenter, Exit, SelectAll, Unselect, Delete, Restore, Remove };

class MainView {
 public:
  virtual ~MainView() = default;

  // Hides the welcome and Undo Center panels and shows the scan panel in the
  // content rectangle.
  virtual void ShowScanPanel() = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;
  // Exactly one of the two headers is visible: "scanning" or "errors found".
  virtual void ShowScanningHeader(bool scanning) = 0;
  virtual void SetCurrentKeyVisible(bool visible) = 0;
  virtual void SetCurrentKey(const std::string& text) = 0;
  virtual void SetCurrentKeyFont(int points, bool bold) = 0;
  virtual void SetStatusWidth(int twips) = 0;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void SetErrorCount(const std::string& text) = 0;
  virtual void SetButtonEnabled(CommandButton button, bool enabled) = 0;
  // Puts a button back to its resting look (after a state change or a box).
  virtual void RestButton(CommandButton button) = 0;
  virtual int ProgressPosition() const = 0;
  virtual int ProgressMaximum() const = 0;
  virtual void SetProgressPosition(int position) = 0;
  // Hides the welcome and scan panels and shows the Undo Center panel in the
  // content rectangle.
  virtual void ShowUndoPanel() = 0;
  // Ends the program at once, with no question and no further window events.
  virtual void EndProgram() = 0;
};

}  // namespace app
