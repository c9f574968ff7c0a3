// Mouse input for the Windows tests: the real pointer moved over a window,
// clicks at client points, and clicks on the rows of a list view.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "tests/support/pump.h"

namespace testsupport {

// Moves the real pointer to a client point and delivers one movement
// notification there, as the system does for a real mouse; the movements the
// system queues of its own arrive at the next Pump.
inline void MovePointer(HWND window, int x, int y) {
  POINT screen = {x, y};
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  Pump();
}

// Press and release of the left button at a client point, handled at once.
inline void SendClick(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The left button pressed or released where the real pointer is, as the
// mouse does it: the system decides which window hears of it.
inline void RealLeftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(input));
  Pump(50);
}

// The window the screen shows at a client point of `window` (the one a
// click there would reach).
inline HWND WindowAt(HWND window, int x, int y) {
  POINT screen = {x, y};
  ClientToScreen(window, &screen);
  return WindowFromPoint(screen);
}

enum class RowPart { kText, kCheckBox };

// A click on a row (numbered from 1) of a report-view list, scrolled into view
// first, as the mouse delivers it: the release is queued first, because the
// list waits for it inside its press.
inline void ClickRow(HWND list, long row, RowPart part = RowPart::kText) {
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
  RECT r = {};
  r.left = part == RowPart::kText ? LVIR_LABEL : LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
  LVHITTESTINFO hit = {};
  hit.pt = {r.left + 10, (r.top + r.bottom) / 2};
  for (int x = r.left; part == RowPart::kCheckBox && x < r.left + 40 && !(hit.flags & LVHT_ONITEMSTATEICON); ++x) {
    hit.pt.x = x;
    SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  }
  EXPECT_TRUE(part == RowPart::kText || (hit.flags & LVHT_ONITEMSTATEICON)) << "no check box in row " << row;
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
  Pump();
}

// The check mark of a row as the list control itself reports it.
inline bool RowCheckedInControl(HWND list, long row) {
  const LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row - 1), LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

// Selects a row without a click, as the arrow keys would.
inline void SelectRowWithoutClick(HWND list, long row) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item));
}

}  // namespace testsupport
