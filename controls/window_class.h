// Registration of the program's window classes, and the one window procedure
// they all share.
#pragma once

#include <windows.h>

namespace controls {

// The module that holds the given code address (the controls' own module,
// whether they are linked into the program or into a library).
HINSTANCE ModuleOf(const void* address);

// Registers a class once per process; later calls find it registered.
bool EnsureWindowClass(HINSTANCE module, const char* className, WNDPROC procedure, UINT style, HCURSOR cursor);

// An object that handles the messages of a window it creates. Its class is
// registered with WindowProcedure, and CreateWindowEx gets CreationParameter()
// as its last argument.
class WindowHandler {
 public:
  void* CreationParameter() { return this; }

 protected:
  WindowHandler() = default;
  ~WindowHandler() = default;
  WindowHandler(const WindowHandler&) = delete;
  WindowHandler& operator=(const WindowHandler&) = delete;

  // WM_NCCREATE, before the message itself is handled.
  virtual void Attach(HWND window) = 0;
  // Every message from WM_NCCREATE on, up to WM_NCDESTROY.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // WM_NCDESTROY: the window is gone, and no message reaches this object again.
  virtual void Detach() = 0;

  // Destroys a window without its last messages reaching this object: for
  // destructors, which do their own clean-up.
  static void DestroyDetached(HWND window);

 private:
  friend LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The procedure of every window class of the program: hands each message to
// the window's handler, detaches it at WM_NCDESTROY, and lets no C++
// exception cross into the system (a failing handler leaves the message to
// DefWindowProc).
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace controls
