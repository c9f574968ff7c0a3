#include "controls/window_class.h"

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

}  // namespace controls
