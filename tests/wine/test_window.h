// A plain top-level window for tests that need a parent for controls; it
// hands WM_NOTIFY to a callback, as the program's own windows do.
#pragma once

#include <windows.h>

#include <functional>

namespace testsupport {

class TestWindow {
 public:
  explicit TestWindow(int width = 800, int height = 600) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &TestWindow::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HivesweepTestWindow";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExA(0, wc.lpszClassName, "test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width,
                              height, nullptr, nullptr, wc.hInstance, this);
  }
  ~TestWindow() {
    if (window_) DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }
  std::function<bool(const NMHDR&, LRESULT*)> onNotify;

  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NOTIFY && self && self->onNotify) {
      LRESULT result = 0;
      if (self->onNotify(*reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

}  // namespace testsupport
