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
  std::string title;
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
    for (int b : buttons) answers_.push_back(b);
  }
  std::vector<SeenBox> Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }
  // Waits until `count` boxes were answered or the time runs out.
  bool WaitFor(std::size_t count, int milliseconds = 20000) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
      if (Seen().size() >= count) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

 private:
  struct Search {
    const MessageBoxWatcher* self;
    HWND found;
  };

  static BOOL CALLBACK Consider(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (!search->self->anyProcess_ && process != GetCurrentProcessId()) return TRUE;
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    if (search->self->title_ != title) return TRUE;
    search->found = window;
    return FALSE;
  }

  static BOOL CALLBACK Describe(HWND child, LPARAM param) {
    auto* box = reinterpret_cast<SeenBox*>(param);
    char className[64] = {};
    GetClassNameA(child, className, sizeof(className));
    const std::string kind = className;
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (kind == "Button" && IsWindowVisible(child)) {
      box->buttons.push_back(GetDlgCtrlID(child));
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) box->defaultButton = GetDlgCtrlID(child);
    } else if (kind == "Static") {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        if (IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0) != 0) box->hasIcon = true;
      } else if (GetDlgCtrlID(child) == 0xFFFF) {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof(text));
        box->text = text;
      }
    }
    return TRUE;
  }

  void Run() {
    std::vector<HWND> answered;
    while (!stop_) {
      Search search{this, nullptr};
      EnumWindows(&MessageBoxWatcher::Consider, reinterpret_cast<LPARAM>(&search));
      HWND box = search.found;
      bool known = false;
      for (HWND h : answered) known |= h == box && IsWindow(h);
      if (box && !known) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let it finish its layout
        SeenBox seen;
        seen.title = title_;
        EnumChildWindows(box, &MessageBoxWatcher::Describe, reinterpret_cast<LPARAM>(&seen));
        // The default button is the one drawn as default (BS_DEFPUSHBUTTON).
        if (seen.defaultButton == 0) {
          const LRESULT defId = SendMessageA(box, DM_GETDEFID, 0, 0);
          if (HIWORD(defId) == DC_HASDEFID) seen.defaultButton = LOWORD(defId);
        }
        int press = seen.defaultButton;
        {
          std::lock_guard<std::mutex> lock(mutex_);
          if (!answers_.empty()) {
            press = answers_.front();
            answers_.pop_front();
          }
          seen_.push_back(seen);
        }
        answered.push_back(box);
        HWND button = GetDlgItem(box, press);
        if (button) {
          PostMessageA(button, BM_CLICK, 0, 0);
        } else {
          PostMessageA(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), 0);
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
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
