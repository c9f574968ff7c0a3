// Answers real message boxes from a watcher thread: it waits for a dialog
// window with the given title in this process (or any process, for boxes of a
// program the test started), records its text, buttons, default button and
// whether it shows an icon, then presses the chosen button. The box the
// program shows is the platform's own, so its texts and buttons are what the
// test sees.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct SeenBox {
  std::string text;
  std::vector<int> buttons;  // control ids of the push buttons (IDOK, IDYES, ...)
  int defaultButton = 0;
  bool hasIcon = false;
};

class MessageBoxWatcher {
 public:
  // `anyProcess`: also answer boxes of other processes (a program under test).
  explicit MessageBoxWatcher(std::string title = "Hivesweep", bool anyProcess = false)
      : title_(std::move(title)), anyProcess_(anyProcess), thread_([this] { Run(); }) {}
  ~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
  }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

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
  // A visible box of this title.
  HWND FindBox() const {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", title_.c_str())) != nullptr;) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      if (IsWindowVisible(w) && (anyProcess_ || process == GetCurrentProcessId())) return w;
    }
    return nullptr;
  }

  static SeenBox Describe(HWND box) {
    SeenBox seen;
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    seen.text = text;
    for (HWND child = nullptr; (child = FindWindowExA(box, child, nullptr, nullptr)) != nullptr;) {
      char kind[16] = {};
      GetClassNameA(child, kind, sizeof(kind));
      const LONG style = GetWindowLongA(child, GWL_STYLE);
      if (!IsWindowVisible(child)) continue;
      if (std::string(kind) == "Button") {
        seen.buttons.push_back(GetDlgCtrlID(child));
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) seen.defaultButton = GetDlgCtrlID(child);
      } else if ((style & SS_TYPEMASK) == SS_ICON && SendMessageA(child, STM_GETICON, 0, 0) != 0) {
        seen.hasIcon = true;
      }
    }
    const LRESULT defId = SendMessageA(box, DM_GETDEFID, 0, 0);
    if (!seen.defaultButton && HIWORD(defId) == DC_HASDEFID) seen.defaultButton = LOWORD(defId);
    return seen;
  }

  void Run() {
    while (!stop_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      HWND box = FindBox();
      if (!box) continue;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let it finish its layout
      SeenBox seen = Describe(box);
      int press = seen.defaultButton;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!answers_.empty()) {
          press = answers_.front();
          answers_.pop_front();
        }
        seen_.push_back(seen);
      }
      if (HWND button = GetDlgItem(box, press)) {
        PostMessageA(button, BM_CLICK, 0, 0);
      } else {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), 0);
      }
      // Answered once: the box is gone before the next is looked for.
      for (int waited = 0; IsWindow(box) && IsWindowVisible(box) && waited < 5000; waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
  }

  std::string title_;
  bool anyProcess_;
  mutable std::mutex mutex_;
  std::deque<int> answers_;
  std::vector<SeenBox> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace testsupport
