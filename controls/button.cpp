// Button: window class, message dispatch and the property setters.
#include "controls/button.h"

#include <oleacc.h>

#include <stdexcept>

#include "controls/button_presets.h"
#include "controls/cursor_code.h"
#include "controls/dpi.h"
#include "controls/window_class.h"

#ifndef BST_HOT
#define BST_HOT 0x0200  // from the common controls' header
#endif

namespace controls {

Button::Button() = default;

Button::~Button() {
  DisarmClick();
  accessible_.Disconnect();
  DestroyDetached(hwnd_);
}

bool Button::Create(HWND parent, int controlId, const ControlSite& site) {
  if (hwnd_) return false;
  const HINSTANCE module = ModuleOf(reinterpret_cast<const void*>(&WindowProcedure));
  if (!EnsureWindowClass(module, kClassName, &WindowProcedure, CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW))) {
    return false;
  }
  site_ = site;
  font_ = site.font;
  dpi_ = site.dpi ? site.dpi : WindowDpi(parent);
  CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), module, CreationParameter());
  return hwnd_ != nullptr;
}

void Button::Attach(HWND window) { hwnd_ = window; }

void Button::Detach() {
  DisarmClick();
  hwnd_ = nullptr;
  shapeRegion_ = nullptr;
}

AccessibleDescription Button::Describe(long) const {
  AccessibleDescription d;
  d.name = properties_.Caption;
  d.role = ROLE_SYSTEM_PUSHBUTTON;
  d.state = WindowState(hwnd_, true);
  if (state_.HasFocus) d.state |= STATE_SYSTEM_FOCUSED;
  if (state_.Pressed) d.state |= STATE_SYSTEM_PRESSED;
  if (state_.Hover) d.state |= STATE_SYSTEM_HOTTRACKED;
  if (properties_.ButtonType == kButtonTypeToggle && properties_.Value) d.state |= STATE_SYSTEM_CHECKED;
  d.screen = ScreenRect(hwnd_);
  d.defaultAction = L"Press";
  return d;
}

// Posted, so that a screen reader does not wait for what the click starts.
void Button::DoDefaultAction(long) { PostMessageA(hwnd_, BM_CLICK, 0, 0); }

LRESULT Button::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (accessible_.Handle(message, wParam, lParam, &answer)) return answer;
  switch (message) {
    case WM_CREATE:
      ApplyFont(font_);
      return 0;
    case WM_SIZE:
      Repaint();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) Repaint();
      break;
    case WM_PAINT: {
      PaintScope paint(hwnd_);
      surface_.BlitTo(paint.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      surface_.BlitTo(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the image covers the whole client area
    case WM_ENABLE:
      if (!inEnabledSetter_) Repaint();
      return 0;
    case WM_SETFOCUS:
      // A disabled control takes no focus notifications.
      if (IsWindowEnabled(hwnd_)) UserControl_GotFocus();
      return 0;
    case WM_KILLFOCUS:
      // Taken even while disabled: the focus look must not outlive the focus.
      OnLostFocus();
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return OnMouseMessage(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      return OnKeyMessage(message, wParam, lParam);
    case WM_GETDLGCODE: {
      // Characters reach the control inside dialogs too, and Enter is ours
      // rather than the dialog's default button.
      LRESULT code = DLGC_WANTCHARS;
      const MSG* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        if (handCursor_) {
          SetCursor(LoadCursorA(nullptr, IDC_HAND));
          return TRUE;
        }
        if (HCURSOR cursor = CursorForCode(mousePointer_, mouseIcon_ ? mouseIcon_->AsCursor() : nullptr)) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    case WM_SETFONT:
      if (wParam) Font(FontSpecFromHandle(reinterpret_cast<HFONT>(wParam), dpi_));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(fontHandle_.Get());
    case WM_SETTEXT:
      Caption(lParam ? reinterpret_cast<const char*>(lParam) : "");
      return TRUE;
    case BM_CLICK:
      ClickFromMessage();
      return 0;
    case BM_GETCHECK:
      return properties_.Value ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      Value(wParam == BST_CHECKED);
      return 0;
    case BM_GETSTATE:
      return (properties_.Value ? BST_CHECKED : 0) | (state_.Pressed ? BST_PUSHED : 0) |
             (state_.HasFocus ? BST_FOCUS : 0) | (state_.Hover ? BST_HOT : 0);
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      Repaint();
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Button::NotifyChanged(const char* name) {
  const char* property = name;
  Raise(events.PropertyChanged, property);
}

template <typename T>
void Button::Assign(T ButtonProperties::*field, T value, const char* name) {
  properties_.*field = std::move(value);
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged(name);
  if (!alive.expired()) Repaint();
}

void Button::ButtonShape(std::int32_t value) { Assign(&ButtonProperties::ButtonShape, value, "ButtonShape"); }

void Button::ButtonStyle(std::int32_t value) {
  properties_.ButtonStyle = value;
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged("ButtonStyle");
  if (alive.expired()) return;
  ApplyButtonStylePreset(properties_, value);
  Repaint();
}

void Button::ButtonStyleColors(std::int32_t value) {
  Assign(&ButtonProperties::ButtonStyleColors, value, "ButtonStyleColors");
}

void Button::ButtonTheme(std::int32_t value) {
  properties_.ButtonTheme = value;
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged("ButtonTheme");
  if (alive.expired()) return;
  ApplyButtonTheme(properties_, value);
  Repaint();
}

void Button::ButtonType(std::int32_t value) { Assign(&ButtonProperties::ButtonType, value, "ButtonType"); }
void Button::CaptionAlignment(std::int32_t value) {
  Assign(&ButtonProperties::CaptionAlignment, value, "CaptionAlignment");
}
void Button::CaptionEffect(std::int32_t value) { Assign(&ButtonProperties::CaptionEffect, value, "CaptionEffect"); }
void Button::CaptionStyle(std::int32_t value) { Assign(&ButtonProperties::CaptionStyle, value, "CaptionStyle"); }
void Button::DropDown(std::int32_t value) { Assign(&ButtonProperties::DropDown, value, "DropDown"); }
void Button::PictureAlignment(std::int32_t value) {
  Assign(&ButtonProperties::PictureAlignment, value, "PictureAlignment");
}

void Button::BackColor(OleColor value) { Assign(&ButtonProperties::BackColor, value, "BackColor"); }
void Button::BackColorPressed(OleColor value) {
  Assign(&ButtonProperties::BackColorPressed, value, "BackColorPressed");
}
void Button::BackColorHover(OleColor value) { Assign(&ButtonProperties::BackColorHover, value, "BackColorHover"); }
void Button::BorderColor(OleColor value) { Assign(&ButtonProperties::BorderColor, value, "BorderColor"); }
void Button::BorderColorPressed(OleColor value) {
  Assign(&ButtonProperties::BorderColorPressed, value, "BorderColorPressed");
}
void Button::BorderColorHover(OleColor value) {
  Assign(&ButtonProperties::BorderColorHover, value, "BorderColorHover");
}
void Button::ForeColor(OleColor value) { Assign(&ButtonProperties::ForeColor, value, "ForeColor"); }
void Button::ForeColorPressed(OleColor value) {
  Assign(&ButtonProperties::ForeColorPressed, value, "ForeColorPressed");
}
void Button::ForeColorHover(OleColor value) { Assign(&ButtonProperties::ForeColorHover, value, "ForeColorHover"); }
void Button::EffectColor(OleColor value) { Assign(&ButtonProperties::EffectColor, value, "EffectColor"); }

void Button::Caption(const std::string& value) {
  SetCaptionText(value);
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged("Caption");
  if (!alive.expired()) Repaint();
}

void Button::SetCaptionText(const std::string& text) {
  properties_.Caption = text;
  // The window text mirrors the caption, for WM_GETTEXT.
  if (!hwnd_) return;
  DefWindowProcA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

void Button::FocusRect(bool value) { Assign(&ButtonProperties::FocusRect, value, "FocusRect"); }
void Button::Value(bool value) { Assign(&ButtonProperties::Value, value, "Value"); }
void Button::HandPointer(bool value) { Assign(&ButtonProperties::HandPointer, value, "HandPointer"); }
void Button::Picture(PicturePtr value) { Assign(&ButtonProperties::Picture, std::move(value), "Picture"); }
void Button::PictureGray(bool value) { Assign(&ButtonProperties::PictureGray, value, "PictureGray"); }

bool Button::Enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : true; }

void Button::Enabled(bool value) {
  if (hwnd_) {
    inEnabledSetter_ = true;
    EnableWindow(hwnd_, value ? TRUE : FALSE);
    inEnabledSetter_ = false;
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
  }
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged("Enabled");
  if (!alive.expired()) Repaint();
}

void Button::ApplyFont(const FontSpec& font) {
  font_ = font;
  if (hwnd_) fontHandle_ = CreateFontFor(font, dpi_);
}

void Button::Font(const FontSpec& value) {
  ApplyFont(value);
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged("Font");
  if (!alive.expired()) Repaint();
}

void Button::ApplyMousePointer(std::int64_t value) {
  if (value < -32768 || value > 32767) throw std::overflow_error("Overflow: MousePointer");
  mousePointer_ = static_cast<std::int16_t>(value);
}

void Button::MousePointer(std::int32_t value) {
  ApplyMousePointer(value);
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged("MousePointer");
  if (!alive.expired()) Repaint();
}

void Button::MouseIcon(PicturePtr value) {
  mouseIcon_ = std::move(value);
  const std::weak_ptr<int> alive = alive_;
  NotifyChanged("MouseIcon");
  if (!alive.expired()) Repaint();
}

void Button::Move(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(leftTwips, dpi_), TwipsToPixels(topTwips, dpi_),
               TwipsToPixels(widthTwips, dpi_), TwipsToPixels(heightTwips, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Button::Dpi(UINT dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  dpi_ = dpi;
  ApplyFont(font_);
  Repaint();
}

void Button::Refresh() { Present(); }

void Button::overr() {
  state_.Hover = false;
  state_.Pressed = false;
  Repaint();
}

void Button::UserControl_GotFocus() {
  state_.HasFocus = true;
  Repaint();
}

}  // namespace controls
