// A top-level window that hosts what a test puts in it: it records the
// BN_CLICKED notifications of its children, hands WM_NOTIFY to a callback
// (as the program's own windows do) and can paint its background in one
// colour. Tests move the real pointer; the window gives it back where it
// found it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "tests/support/pump.h"

namespace testsupport {

class TestWindow {
 public:
  TestWindow() {
    GetCursorPos(&pointerAtStart_);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &TestWindow::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "HivesweepTestWindow";
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "test", WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE, 100, 100,
                              600, 400, nullptr, nullptr, windowClass.hInstance, this);
    if (window_) SetForegroundWindow(window_);
    Pump();
  }
  ~TestWindow() {
    if (window_) DestroyWindow(window_);
    Pump();
    SetCursorPos(pointerAtStart_.x, pointerAtStart_.y);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }

  // Paints the background in one colour from now on.
  void SetBackground(COLORREF color) { background_ = color; }
  // Control ids of the BN_CLICKED notifications received, in order.
  const std::vector<int>& ClickedIds() const { return clickedIds_; }

  std::function<bool(const NMHDR&, LRESULT*)> onNotify;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      self->clickedIds_.push_back(LOWORD(wParam));
      return 0;
    }
    if (self && message == WM_NOTIFY && self->onNotify) {
      LRESULT result = 0;
      if (self->onNotify(*reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
    }
    if (self && message == WM_ERASEBKGND && self->background_) {
      RECT client;
      GetClientRect(window, &client);
      SetDCBrushColor(reinterpret_cast<HDC>(wParam), *self->background_);
      FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  POINT pointerAtStart_ = {0, 0};
  std::vector<int> clickedIds_;
  std::optional<COLORREF> background_;
};

}  // namespace testsupport
