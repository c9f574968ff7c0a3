// Answers real message boxes from a watcher thread: it waits for a dialog
// window titled "Hivesweep" (of this process or of a program the test
// started), records its text, buttons, default button and whether it shows an
// icon, then presses the chosen button. The box the program shows is the
// platform's own, so its texts and buttons are what the test sees.
#pragma once

#include <windows.h>
#include <dlgs.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program.h"

namespace testsupport {

struct SeenBox {
  std::string text;
  std::vector<int> buttons;  // control ids of the push buttons, ascending (IDOK, IDCANCEL, IDYES, IDNO)
  int defaultButton = 0;
  bool hasIcon = false;

  bool operator==(const SeenBox& o) const {
    return text == o.text && buttons == o.buttons && defaultButton == o.defaultButton && hasIcon == o.hasIcon;
  }
  friend std::ostream& operator<<(std::ostream& out, const SeenBox& b) {
    out << '"' << b.text << "\" buttons";
    for (int id : b.buttons) out << ' ' << id;
    return out << " default " << b.defaultButton << (b.hasIcon ? " icon" : " no icon");
  }
};

class MessageBoxWatcher {
 public:
  MessageBoxWatcher() : thread_([this] { Run(); }) {}
  ~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
  }

  // The buttons to press, one per box, in order; a box with none left gets
  // its default button (as Enter would).
  void Answer(std::initializer_list<int> buttons) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.insert(answers_.end(), buttons);
  }
  std::vector<SeenBox> Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }

 private:
  static SeenBox Describe(HWND box) {
    SeenBox seen;
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    seen.text = text;
    for (int id = IDOK; id <= IDNO; ++id) {  // the box's push buttons, hidden ones left out
      HWND button = GetDlgItem(box, id);
      if (!button || !IsWindowVisible(button)) continue;
      seen.buttons.push_back(id);
      if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) seen.defaultButton = id;
    }
    HWND icon = GetDlgItem(box, stc1);
    seen.hasIcon = icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    return seen;
  }

  void Run() {
    while (!stop_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      HWND box = VisibleWindow("#32770", "Hivesweep");
      if (!box) continue;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let it finish its layout
      const SeenBox seen = Describe(box);
      std::unique_lock<std::mutex> lock(mutex_);
      seen_.push_back(seen);
      const int press = answers_.empty() ? seen.defaultButton : answers_.front();
      if (!answers_.empty()) answers_.pop_front();
      lock.unlock();
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), 0);
      WaitUntil([box] { return !IsWindowVisible(box); }, 5000);  // gone before the next is looked for
    }
  }

  mutable std::mutex mutex_;
  std::deque<int> answers_;
  std::vector<SeenBox> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace testsupport
