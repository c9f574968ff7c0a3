// A top-level window that hosts the controls under test, with helpers to
// pump messages, move the real pointer and read pixels.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/button.h"
#include "controls/dpi.h"
#include "controls/property_bag.h"

namespace controlstest {

class ControlHost {
 public:
  static constexpr const char* kClassName = "HivesweepControlsTestHost";

  ControlHost() {
    GetCursorPos(&pointerAtStart_);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &ControlHost::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);
    window_ = CreateWindowExA(0, kClassName, "controls test", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                              nullptr, GetModuleHandleA(nullptr), this);
    if (window_) SetForegroundWindow(window_);
    Pump();
  }
  ~ControlHost() {
    if (window_) DestroyWindow(window_);
    Pump();
    // Tests move the real pointer; later programs on the display get it back.
    SetCursorPos(pointerAtStart_.x, pointerAtStart_.y);
  }
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  HWND Window() const { return window_; }
  UINT Dpi() const { return controls::WindowDpi(window_); }

  // Paints the host's background in one colour from now on.
  void SetBackground(COLORREF color) {
    background_ = color;
    hasBackground_ = true;
  }

  // BN_CLICKED notifications the host received, by control id.
  const std::vector<int>& ClickedIds() const { return clickedIds_; }

  static void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* host = reinterpret_cast<ControlHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      host->clickedIds_.push_back(LOWORD(wParam));
      return 0;
    }
    if (host && message == WM_ERASEBKGND && host->hasBackground_) {
      RECT client;
      GetClientRect(window, &client);
      HBRUSH brush = CreateSolidBrush(host->background_);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      DeleteObject(brush);
      return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  POINT pointerAtStart_{0, 0};
  std::vector<int> clickedIds_;
  COLORREF background_ = 0;
  bool hasBackground_ = false;
};

// Moves the real pointer to a client point of window and delivers one
// movement notification to it, as the system does for a real mouse. Moving
// the real pointer makes the system queue movements of its own; they arrive
// at the next Pump.
inline void SendPointerMove(HWND window, int x, int y) {
  POINT screen{x, y};
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

inline void MovePointerTo(HWND window, int x, int y) {
  SendPointerMove(window, x, y);
  ControlHost::Pump();
}

inline void SendClick(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline bool NearColor(COLORREF actual, COLORREF expected, int tolerance = 1) {
  return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
         std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
         std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

inline std::string Hex(COLORREF color) {
  char text[16];
  snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color));
  return text;
}

// The colour a linear gradient from c0 (at row 0) to c1 (at row n) has at row r.
inline COLORREF Interpolated(COLORREF c0, COLORREF c1, int r, int n) {
  auto channel = [&](int a, int b) { return a + (b - a) * r / n; };
  return RGB(channel(GetRValue(c0), GetRValue(c1)), channel(GetGValue(c0), GetGValue(c1)),
             channel(GetBValue(c0), GetBValue(c1)));
}

// The main window's stored button layout, with its lower-case keys.
inline controls::PropertyBag MainWindowButtonBag(const std::string& caption) {
  controls::PropertyBag bag;
  bag.Set("buttonstyle", std::int64_t{7});
  bag.Set("buttonstylecolors", std::int64_t{2});
  bag.Set("backcolor", std::int64_t{0xD8D8D8});
  bag.Set("backcolorpressed", std::int64_t{0xEFCE92});
  bag.Set("backcolorhover", std::int64_t{0xF7DBA5});
  bag.Set("bordercolor", std::int64_t{0x8F8F8E});
  bag.Set("bordercolorpressed", std::int64_t{0x5C411D});
  bag.Set("bordercolorhover", std::int64_t{0xB17F3C});
  bag.Set("forecolorpressed", std::int64_t{0});
  bag.Set("forecolorhover", std::int64_t{0});
  bag.Set("caption", caption);
  controls::FontSpec font;
  font.FaceName = "Tahoma";
  font.Size = 8.25;
  bag.Set("font", font);
  return bag;
}

}  // namespace controlstest
