#include "app/win32/dialog_keys.h"

#include <algorithm>
#include <climits>
#include <tuple>
#include <vector>

namespace app {
namespace {

// A control's place in the screen order.
struct Place {
  LONG top;
  LONG left;
  bool operator<(const Place& other) const { return std::tie(top, left) < std::tie(other.top, other.left); }
};

Place PlaceOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {r.top, r.left};
}

struct Stop {
  Place place;
  HWND window;
};

BOOL CALLBACK CollectStop(HWND window, LPARAM stops) {
  const bool tabStop = (GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP) != 0;
  if (tabStop && IsWindowVisible(window) && IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<Stop>*>(stops)->push_back({PlaceOf(window), window});
  }
  return TRUE;
}

}  // namespace

bool HandleDialogKey(HWND root, const MSG& message, HWND lostFocus) {
  // With the focus nowhere, the system sends keys to the active window as
  // system keys, Alt or not.
  const bool key = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  if (!key || message.wParam != VK_TAB || !root) return false;
  if (message.hwnd != root && !IsChild(root, message.hwnd)) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  std::vector<Stop> stops;
  EnumChildWindows(root, &CollectStop, reinterpret_cast<LPARAM>(&stops));
  if (stops.empty()) return true;
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.place < b.place; });

  HWND focus = GetFocus();
  if ((!focus || focus == root) && lostFocus && IsWindow(lostFocus)) focus = lostFocus;
  const bool onControl = focus && focus != root && IsChild(root, focus);
  const Place here = onControl ? PlaceOf(focus) : Place{LONG_MIN, LONG_MIN};
  const auto at = std::find_if(stops.begin(), stops.end(), [&](const Stop& s) { return s.window == focus; });
  HWND next = nullptr;
  if (GetKeyState(VK_SHIFT) < 0) {
    if (at != stops.end()) {
      next = (at == stops.begin() ? stops.back() : *(at - 1)).window;
    } else {
      const auto before = std::find_if(stops.rbegin(), stops.rend(), [&](const Stop& s) { return s.place < here; });
      next = (before == stops.rend() ? stops.back() : *before).window;
    }
  } else {
    if (at != stops.end()) {
      next = (at + 1 == stops.end() ? stops.front() : *(at + 1)).window;
    } else {
      const auto after = std::find_if(stops.begin(), stops.end(), [&](const Stop& s) { return here < s.place; });
      next = (after == stops.end() ? stops.front() : *after).window;
    }
  }
  SetFocus(next);
  return true;
}

}  // namespace app
