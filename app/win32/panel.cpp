#include "app/win32/panel.h"

#include <windowsx.h>

#include "controls/dpi.h"
#include "controls/drawing.h"

namespace app {
namespace {

constexpr char kPanelClass[] = "HivesweepPanel";

void RegisterPanelClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA wc = {};
  if (GetClassInfoA(instance, kPanelClass, &wc)) return;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.lpszClassName = kPanelClass;
  wc.hCursor = nullptr;  // set on WM_SETCURSOR
  wc.style = CS_DBLCLKS;
  RegisterClassA(&wc);
}

}  // namespace

Panel::Panel(HWND parent, HWND owner, const TwipsRect& bounds, const PanelLook& look, UINT dpi)
    : owner_(owner), dpi_(dpi), look_(look) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  RegisterPanelClass(instance, &Panel::Procedure);
  const RECT r = {controls::TwipsToPixels(bounds.left, dpi), controls::TwipsToPixels(bounds.top, dpi),
                  controls::TwipsToPixels(bounds.left + bounds.width, dpi),
                  controls::TwipsToPixels(bounds.top + bounds.height, dpi)};
  window_ = CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN |
                            WS_CLIPSIBLINGS, r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                            instance, this);
}

Panel::~Panel() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void Panel::AddLabel(const LabelSpec& label) {
  Label entry;
  entry.spec = label;
  entry.font = controls::CreateFontFor(label.font, dpi_);
  labels_.push_back(std::move(entry));
  Invalidate();
}

void Panel::AddPicture(const PictureSpec& picture) {
  pictures_.push_back(picture);
  Invalidate();
}

Panel::Label* Panel::Find(int id) {
  for (auto& label : labels_) {
    if (label.spec.id == id) return &label;
  }
  return nullptr;
}

const Panel::Label* Panel::Find(int id) const { return const_cast<Panel*>(this)->Find(id); }

void Panel::SetLabelText(int id, const std::string& text) {
  Label* label = Find(id);
  if (!label || label->spec.text == text) return;
  label->spec.text = text;
  Invalidate();
}

std::string Panel::LabelText(int id) const {
  const Label* label = Find(id);
  return label ? label->spec.text : std::string();
}

void Panel::SetLabelColor(int id, COLORREF color) {
  Label* label = Find(id);
  if (!label || label->spec.color == color) return;
  label->spec.color = color;
  Invalidate();
}

void Panel::SetLabelFont(int id, const controls::FontSpec& font) {
  Label* label = Find(id);
  if (!label || label->spec.font == font) return;
  label->spec.font = font;
  label->font = controls::CreateFontFor(font, dpi_);
  Invalidate();
}

controls::FontSpec Panel::LabelFont(int id) const {
  const Label* label = Find(id);
  return label ? label->spec.font : controls::FontSpec();
}

void Panel::SetLabelVisible(int id, bool visible) {
  Label* label = Find(id);
  if (!label || label->visible == visible) return;
  label->visible = visible;
  Invalidate();
}

bool Panel::LabelVisible(int id) const {
  const Label* label = Find(id);
  return label && label->visible;
}

void Panel::SetLabelWidth(int id, int twips) {
  Label* label = Find(id);
  if (!label || label->spec.bounds.width == twips) return;
  label->spec.bounds.width = twips;
  Invalidate();
}

int Panel::LabelWidth(int id) const {
  const Label* label = Find(id);
  return label ? label->spec.bounds.width : 0;
}

void Panel::Show(bool visible) { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }

bool Panel::Visible() const { return IsWindowVisible(window_) != FALSE; }

void Panel::MoveTo(const TwipsRect& bounds) {
  const RECT r = PixelsOf(bounds);
  SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Panel::PixelsOf(const TwipsRect& bounds) const {
  return {controls::TwipsToPixels(bounds.left, dpi_), controls::TwipsToPixels(bounds.top, dpi_),
          controls::TwipsToPixels(bounds.left + bounds.width, dpi_),
          controls::TwipsToPixels(bounds.top + bounds.height, dpi_)};
}

int Panel::LabelAt(POINT point) const {
  // Later labels stand over earlier ones.
  for (auto it = labels_.rbegin(); it != labels_.rend(); ++it) {
    if (!it->visible) continue;
    const RECT r = PixelsOf(it->spec.bounds);
    if (PtInRect(&r, point)) return it->spec.id;
  }
  return kNoLabel;
}

void Panel::Invalidate() {
  dirty_ = true;
  // One request until the paint comes: each is a round trip to the window
  // system, and a scan changes the current-key label for every key.
  if (!window_ || paintRequested_) return;
  InvalidateRect(window_, nullptr, FALSE);
  paintRequested_ = true;
}

const controls::OffscreenSurface& Panel::Surface() {
  if (dirty_) Redraw();
  return surface_;
}

void Panel::Redraw() {
  RECT client = {};
  GetClientRect(window_, &client);
  if (!surface_.Resize(client.right, client.bottom)) return;
  HDC dc = surface_.Dc();
  if (look_.picture) {
    BITMAP info = {};
    GetObject(look_.picture, sizeof(info), &info);
    controls::MemoryDc source(dc);
    controls::SelectedObject selected(source.Get(), look_.picture);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  } else if (look_.gradientEnd) {
    controls::FillGradient(dc, {0, 0}, look_.back, {static_cast<double>(client.right), static_cast<double>(client.bottom)},
                           *look_.gradientEnd, controls::GradientDirection::Vertical);
  } else {
    controls::FillSolid(dc, client, look_.back);
  }
  if (look_.border) {
    controls::Brush frame(CreateSolidBrush(*look_.border));
    FrameRect(dc, &client, frame.Get());
  }
  for (const auto& picture : pictures_) {
    const RECT r = PixelsOf(picture.bounds);
    DrawIconEx(dc, r.left, r.top, picture.icon, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
  }
  SetBkMode(dc, TRANSPARENT);
  for (const auto& label : labels_) {
    if (!label.visible || label.spec.text.empty()) continue;
    RECT r = PixelsOf(label.spec.bounds);
    controls::SelectedObject font(dc, label.font.Get());
    SetTextColor(dc, label.spec.color);
    // A label one line high shows one line, cut with an ellipsis where the
    // text is wider than the label; a taller one wraps at words.
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const bool oneLine = r.bottom - r.top < 2 * metrics.tmHeight;
    DrawTextA(dc, label.spec.text.c_str(), static_cast<int>(label.spec.text.size()), &r,
              DT_LEFT | DT_TOP | DT_NOPREFIX | DT_END_ELLIPSIS | (oneLine ? DT_SINGLELINE : DT_WORDBREAK));
  }
  dirty_ = false;
}

LRESULT CALLBACK Panel::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<Panel*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Panel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT Panel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Invalidate();
      return 0;
    case WM_PAINT: {
      paintRequested_ = false;
      controls::PaintScope paint(window_);
      if (dirty_) Redraw();
      surface_.BlitTo(paint.Get());
      return 0;
    }
    case WM_MOUSEMOVE:
      if (MouseMove) MouseMove(LabelAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_LBUTTONUP: {
      const int id = LabelAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (id != kNoLabel && LabelClick) LabelClick(id);
      return 0;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT) {
        HCURSOR cursor = Cursor ? Cursor() : nullptr;
        SetCursor(cursor ? cursor : LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
      if (owner_) return SendMessageA(owner_, message, wParam, lParam);
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace app
