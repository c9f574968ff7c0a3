#include "controls/window_class.h"

#include "platform/debug_trace.h"

namespace controls {

HINSTANCE ModuleOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCSTR>(address), &module)) {
    module = GetModuleHandleA(nullptr);
  }
  return module;
}

bool EnsureWindowClass(HINSTANCE module, const char* className, WNDPROC procedure, UINT style, HCURSOR cursor) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(module, className, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = module;
  windowClass.hCursor = cursor;
  windowClass.lpszClassName = className;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void WindowHandler::DestroyDetached(HWND window) {
  if (!window || !IsWindow(window)) return;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_NCCREATE) {
      auto* created = static_cast<WindowHandler*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
      if (created) created->Attach(window);
    }
    auto* handler = reinterpret_cast<WindowHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!handler) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      handler->Detach();
      return DefWindowProcA(window, message, wParam, lParam);
    }
    return handler->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the window system.
    platform::TraceIgnoredError("a window message");
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace controls
