// What screen readers learn of the program's own windows. Each of them
// answers WM_GETOBJECT for its client area with an IAccessible of its own,
// made from what the window describes: itself (element 0), the elements it
// paints without a window of their own (a panel's labels, elements 1 to
// ElementCount()), and after those its child windows, whose own objects
// describe them.
//
//   class Control : AccessibleSource {
//     AccessibleConnection accessible_{*this};
//     ...
//     LRESULT answer = 0;
//     if (accessible_.Handle(message, wParam, lParam, &answer)) return answer;
//   };
#pragma once

#include <windows.h>

#include <string>

namespace controls {

// The IAccessible interface identifier, defined here: the one in MinGW's
// import library is not the interface's.
extern const GUID kAccessibleInterface;

struct AccessibleDescription {
  std::string name;  // in the ANSI code page; empty: no name
  long role = 0;     // ROLE_SYSTEM_...
  long state = 0;    // STATE_SYSTEM_... bits
  RECT screen{};     // where it stands, in screen pixels
  const wchar_t* defaultAction = nullptr;  // nullptr: none
};

class AccessibleSource {
 public:
  virtual HWND AccessibleWindow() const = 0;
  virtual long ElementCount() const { return 0; }
  virtual AccessibleDescription Describe(long element) const = 0;
  // Runs an element's default action; it must not wait for what it starts.
  virtual void DoDefaultAction(long /*element*/) {}

 protected:
  ~AccessibleSource() = default;
};

// The states every window has: invisible, unavailable, focusable (when
// `focusable` and enabled) and focused.
long WindowState(HWND window, bool focusable);
RECT ScreenRect(HWND window);

// Owns a window's accessible object: made on the first WM_GETOBJECT, it is
// disconnected when the window goes (or this is destroyed). Clients that still
// hold it then get CO_E_OBJNOTCONNECTED from every call.
class AccessibleConnection {
 public:
  explicit AccessibleConnection(AccessibleSource& source) : source_(source) {}
  ~AccessibleConnection() { Disconnect(); }
  AccessibleConnection(const AccessibleConnection&) = delete;
  AccessibleConnection& operator=(const AccessibleConnection&) = delete;

  // The answer to WM_GETOBJECT: the object for OBJID_CLIENT, 0 (the
  // system's own object) for any other.
  LRESULT Answer(WPARAM wParam, LPARAM lParam);
  void Disconnect();
  // A window's messages go here first: WM_GETOBJECT is answered (true, with
  // *answer, unless the system's own object is meant) and WM_DESTROY
  // disconnects; every other message, and WM_DESTROY, go on to the window.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer);

 private:
  class Object;

  AccessibleSource& source_;
  Object* object_ = nullptr;  // one reference, held until Disconnect
};

}  // namespace controls
