// Button: pointer, mouse buttons, keys and focus. The first half turns window
// messages into press, release, click and double-click notifications (the
// part a control framework would do); the reactions below update the state,
// repaint, and then raise the event.
#include <windowsx.h>

#include "controls/button.h"

namespace controls {

namespace {

constexpr std::int16_t kKeyEnter = 13;
constexpr std::int16_t kKeySpace = 32;

std::int16_t ShiftFromKeyboard() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

std::int16_t ShiftFromMouseFlags(WPARAM flags) {
  std::int16_t shift = 0;
  if (flags & MK_SHIFT) shift |= kShiftKey;
  if (flags & MK_CONTROL) shift |= kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

std::int16_t ButtonsFromMouseFlags(WPARAM flags) {
  std::int16_t buttons = 0;
  if (flags & MK_LBUTTON) buttons |= kMouseLeft;
  if (flags & MK_RBUTTON) buttons |= kMouseRight;
  if (flags & MK_MBUTTON) buttons |= kMouseMiddle;
  return buttons;
}

std::int16_t ButtonOfMessage(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return kMouseRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return kMouseMiddle;
    default:
      return kMouseLeft;
  }
}

// The button whose click is armed on this thread, and the hook that watches
// the thread's mouse input meanwhile.
thread_local Button* armedButton = nullptr;
thread_local HHOOK releaseWatch = nullptr;

}  // namespace

void Button::ArmClick() {
  if (armedButton && armedButton != this) armedButton->DisarmClick();
  clickArmed_ = true;
  if (armedButton == this) return;
  armedButton = this;
  releaseWatch = SetWindowsHookExA(WH_MOUSE, &Button::WatchForRelease, nullptr, GetCurrentThreadId());
}

void Button::DisarmClick() {
  clickArmed_ = false;
  if (armedButton != this) return;
  armedButton = nullptr;
  if (releaseWatch) UnhookWindowsHookEx(releaseWatch);
  releaseWatch = nullptr;
}

LRESULT CALLBACK Button::WatchForRelease(int code, WPARAM message, LPARAM info) {
  // Dragged off the control, the press ends where the control does not hear
  // of it: a left release or press that goes to another window disarms.
  if (code == HC_ACTION && armedButton) {
    switch (message) {
      case WM_LBUTTONUP:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_NCLBUTTONUP:
      case WM_NCLBUTTONDOWN:
      case WM_NCLBUTTONDBLCLK:
        if (reinterpret_cast<const MOUSEHOOKSTRUCT*>(info)->hwnd != armedButton->hwnd_) armedButton->DisarmClick();
        break;
      default:
        break;
    }
  }
  return CallNextHookEx(nullptr, code, message, info);
}

LRESULT Button::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  // Click follows the release of a left press that started on the control,
  // when the release is inside its visible area; any release disarms.
  const bool clicks = message == WM_LBUTTONUP && clickArmed_ && InsideVisibleArea(point);
  if (message == WM_LBUTTONUP) DisarmClick();
  // Posted or sent input reaches a disabled window too; a disabled control
  // takes none.
  if (!IsWindowEnabled(hwnd_)) return 0;
  const float x = static_cast<float>(point.x);
  const float y = static_cast<float>(point.y);
  const std::int16_t shift = ShiftFromMouseFlags(wParam);
  const std::int16_t button = ButtonOfMessage(message);
  const std::weak_ptr<int> alive = alive_;

  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(ButtonsFromMouseFlags(wParam), shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      if (message == WM_LBUTTONDOWN && InsideVisibleArea(point)) ArmClick();
      // A press gives the control the focus first, as with standard buttons.
      if (GetFocus() != hwnd_) SetFocus(hwnd_);
      if (!alive.expired() && hwnd_) OnMouseDown(button, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      // The second press of a double click: DblClick instead of MouseDown and Click.
      DisarmClick();
      if (GetFocus() != hwnd_) SetFocus(hwnd_);
      if (!alive.expired() && hwnd_) OnDblClick();
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      OnMouseUp(button, shift, x, y);
      if (clicks && !alive.expired() && hwnd_) OnClick();
      break;
    default:
      break;
  }
  return 0;
}

LRESULT Button::OnKeyMessage(UINT message, WPARAM wParam, LPARAM) {
  if (!IsWindowEnabled(hwnd_)) return 0;
  switch (message) {
    case WM_KEYDOWN:
      OnKeyDown(static_cast<std::int16_t>(wParam), ShiftFromKeyboard());
      break;
    case WM_KEYUP:
      OnKeyUp(static_cast<std::int16_t>(wParam), ShiftFromKeyboard());
      break;
    case WM_CHAR:
      OnKeyPress(static_cast<std::int16_t>(static_cast<unsigned char>(wParam)));
      break;
    default:
      break;
  }
  return 0;
}

bool Button::InsideVisibleArea(POINT point) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (!PtInRect(&client, point)) return false;
  Region region(CreateRectRgn(0, 0, 0, 0));
  if (region && GetWindowRgn(hwnd_, region.Get()) != ERROR) return PtInRegion(region.Get(), point.x, point.y) != FALSE;
  return true;
}

void Button::ClickFromMessage() {
  // BM_CLICK: a press and a release at the centre, which every outline covers.
  if (!hwnd_ || !IsWindowEnabled(hwnd_)) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
  HWND window = hwnd_;
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  if (IsWindow(window)) SendMessageA(window, WM_LBUTTONUP, 0, centre);
}

void Button::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  state_.Pressed = true;
  Repaint();
  Raise(events.MouseDown, button, shift, x, y);
}

void Button::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  // Holding the capture makes the next movement past the edge arrive here.
  if (GetCapture() != hwnd_) SetCapture(hwnd_);
  state_.Pressed = false;
  Repaint();
  Raise(events.MouseUp, button, shift, x, y);
}

void Button::OnClick() {
  if (properties_.ButtonType == kButtonTypeToggle) properties_.Value = !state_.Pressed;
  Repaint();
  HWND window = hwnd_;
  const int id = GetDlgCtrlID(window);
  if (!Raise(events.Click)) return;
  // Like a standard push button, the parent hears of the click too.
  if (IsWindow(window)) {
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
  }
}

void Button::OnDblClick() {
  state_.Pressed = true;
  Repaint();
  Raise(events.DblClick);
}

void Button::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  POINT pointer;
  GetCursorPos(&pointer);
  ScreenToClient(hwnd_, &pointer);
  if (!site_.userMode) return;

  RECT client;
  GetClientRect(hwnd_, &client);
  // The right and bottom edges themselves still count as inside.
  const bool inside = pointer.x >= 0 && pointer.y >= 0 && pointer.x <= client.right && pointer.y <= client.bottom;
  if (inside) {
    if (GetCapture() != hwnd_) SetCapture(hwnd_);
  } else if (GetCapture() == hwnd_) {
    ReleaseCapture();
  }
  if (inside != state_.Hover) {
    state_.Hover = inside;
    state_.Pressed = false;
    Repaint();
  }
  Raise(events.MouseMove, button, shift, x, y);
}

void Button::OnKeyDown(std::int16_t keyCode, std::int16_t shift) {
  const std::int16_t key = keyCode;
  if (key == kKeyEnter || key == kKeySpace) {
    state_.Pressed = true;
    keyArmed_ = key;
    Repaint();
  }
  if (!Raise(events.KeyDown, keyCode, shift)) return;
  // A handler that clears KeyCode has taken the key: no click on its release.
  if (keyCode == 0) keyArmed_ = 0;
}

void Button::OnKeyPress(std::int16_t keyAscii) { Raise(events.KeyPress, keyAscii); }

void Button::OnKeyUp(std::int16_t keyCode, std::int16_t shift) {
  const std::int16_t key = keyCode;
  if (state_.Pressed) {
    state_.Pressed = false;
    Repaint();
  }
  if (!Raise(events.KeyUp, keyCode, shift)) return;
  // Releasing Enter or Space pressed on the focused control clicks it: users
  // of a Windows program expect a focused button to be pressed from the
  // keyboard, and the main window acts on Click only.
  const bool clicks = (key == kKeyEnter || key == kKeySpace) && keyArmed_ == key && keyCode != 0;
  if (key == keyArmed_) keyArmed_ = 0;
  if (clicks && hwnd_) OnClick();
}

void Button::OnLostFocus() {
  state_.HasFocus = false;
  keyArmed_ = 0;  // a key released elsewhere does not click
  Repaint();
}

}  // namespace controls
