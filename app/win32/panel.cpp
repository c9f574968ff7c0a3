#include "app/win32/panel.h"

#include <oleacc.h>
#include <windowsx.h>

#include "controls/dpi.h"
#include "controls/drawing.h"

namespace app {
namespace {

constexpr char kPanelClass[] = "HivesweepPanel";

}  // namespace

Panel::Panel(HWND parent, HWND owner, const TwipsRect& bounds, const PanelLook& look, UINT dpi)
    : owner_(owner), dpi_(dpi), bounds_(bounds), look_(look) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  // The cursor is set on WM_SETCURSOR. A device context of its own: a label
  // change copies its rectangle to the window at once, and a window's own DC
  // is handed out without the visible region being fetched again.
  controls::EnsureWindowClass(instance, kPanelClass, &controls::WindowProcedure, CS_DBLCLKS | CS_OWNDC, nullptr);
  const RECT r = PixelsOf(bounds);
  CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                  r.left, r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, instance, CreationParameter());
}

Panel::~Panel() {
  accessible_.Disconnect();
  DestroyDetached(window_);
}

void Panel::AddLabel(const LabelSpec& label) {
  Label entry;
  entry.spec = label;
  entry.font = controls::CreateFontFor(label.font, dpi_);
  labels_.push_back(std::move(entry));
  Invalidate();
}

void Panel::AddPicture(const PictureSpec& picture) {
  pictures_.push_back({picture, nullptr});
  LoadPicture(pictures_.back());
  Invalidate();
}

void Panel::LoadPicture(Picture& picture) const {
  const int size = MulDiv(picture.spec.size, static_cast<int>(dpi_), 96);
  picture.icon.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture.spec.iconId),
                                                   IMAGE_ICON, size, size, 0)));
}

void Panel::SetDpi(UINT dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  dpi_ = dpi;
  for (auto& label : labels_) label.font = controls::CreateFontFor(label.spec.font, dpi_);
  for (auto& picture : pictures_) LoadPicture(picture);
  MoveTo(bounds_);
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
  InvalidateLabel(*label);
}

std::string Panel::LabelText(int id) const {
  const Label* label = Find(id);
  return label ? label->spec.text : std::string();
}

void Panel::SetLabelColor(int id, COLORREF color) {
  Label* label = Find(id);
  if (!label || label->spec.color == color) return;
  label->spec.color = color;
  InvalidateLabel(*label);
}

void Panel::SetLabelFont(int id, const controls::FontSpec& font) {
  Label* label = Find(id);
  if (!label || label->spec.font == font) return;
  label->spec.font = font;
  label->font = controls::CreateFontFor(font, dpi_);
  InvalidateLabel(*label);
}

controls::FontSpec Panel::LabelFont(int id) const {
  const Label* label = Find(id);
  return label ? label->spec.font : controls::FontSpec();
}

void Panel::SetLabelVisible(int id, bool visible) {
  Label* label = Find(id);
  if (!label || label->visible == visible) return;
  label->visible = visible;
  InvalidateLabel(*label);
}

bool Panel::LabelVisible(int id) const {
  const Label* label = Find(id);
  return label && label->visible;
}

void Panel::SetLabelWidth(int id, int twips) {
  Label* label = Find(id);
  if (!label || label->spec.bounds.width == twips) return;
  InvalidateLabel(*label);  // where it stood, and below where it stands now
  label->spec.bounds.width = twips;
  InvalidateLabel(*label);
}

int Panel::LabelWidth(int id) const {
  const Label* label = Find(id);
  return label ? label->spec.bounds.width : 0;
}

void Panel::Show(bool visible) { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }

bool Panel::Visible() const { return IsWindowVisible(window_) != FALSE; }

void Panel::MoveTo(const TwipsRect& bounds) {
  bounds_ = bounds;
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

bool Panel::OnPicture(POINT point) const {
  for (const auto& picture : pictures_) {
    const RECT r = PixelsOf(picture.spec.bounds);
    if (PtInRect(&r, point)) return true;
  }
  return false;
}

controls::AccessibleDescription Panel::Describe(long element) const {
  controls::AccessibleDescription d;
  d.screen = controls::ScreenRect(window_);
  d.state = controls::WindowState(window_, false);
  if (element == 0) {
    d.role = ROLE_SYSTEM_CLIENT;
    return d;
  }
  const Label& label = labels_[static_cast<std::size_t>(element - 1)];
  d.name = label.spec.text;
  d.role = ROLE_SYSTEM_STATICTEXT;
  d.state |= STATE_SYSTEM_READONLY | (label.visible ? 0 : STATE_SYSTEM_INVISIBLE);
  const RECT r = PixelsOf(label.spec.bounds);
  d.screen = {d.screen.left + r.left, d.screen.top + r.top, d.screen.left + r.right, d.screen.top + r.bottom};
  return d;
}

void Panel::Invalidate() {
  dirty_ = true;
  if (!window_ || wholeRequested_) return;
  InvalidateRect(window_, nullptr, FALSE);
  wholeRequested_ = true;
}

void Panel::InvalidateLabel(const Label& label) {
  const RECT area = PixelsOf(label.spec.bounds);
  if (areaDirty_) {
    UnionRect(&dirtyArea_, &dirtyArea_, &area);
  } else {
    dirtyArea_ = area;
    areaDirty_ = true;
  }
  // While the whole panel waits for its paint, or cannot be seen, that paint
  // shows the label.
  if (!window_ || dirty_ || !IsWindowVisible(window_)) return;
  // Otherwise the label's rectangle is drawn again and copied to the screen
  // at once: a scan changes the current-key label for every key, and a paint
  // through WM_PAINT (the invalidation, the message, BeginPaint, EndPaint)
  // costs some ten times as much under Wine.
  Redraw();
  if (HDC dc = GetDC(window_)) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, surface_.Dc(), area.left,
           area.top, SRCCOPY);
    ReleaseDC(window_, dc);
  }
}

const controls::OffscreenSurface& Panel::Surface() {
  if (dirty_ || areaDirty_) Redraw();
  return surface_;
}

void Panel::Redraw() {
  RECT client = {};
  GetClientRect(window_, &client);
  const bool resized = client.right != surface_.Width() || client.bottom != surface_.Height();
  if (!surface_.Resize(client.right, client.bottom)) return;
  HDC dc = surface_.Dc();
  // When only labels changed, only their rectangles are drawn again.
  const bool partial = !dirty_ && !resized;
  const int saved = SaveDC(dc);
  if (partial) IntersectClipRect(dc, dirtyArea_.left, dirtyArea_.top, dirtyArea_.right, dirtyArea_.bottom);
  if (look_.picture) {
    BITMAP info = {};
    GetObject(look_.picture, sizeof(info), &info);
    controls::MemoryDc source(dc);
    controls::SelectedObject selected(source.Get(), look_.picture);
    SetStretchBltMode(dc, HALFTONE);
    if (look_.stretchPicture) {
      StretchBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    } else {
      controls::FillSolid(dc, client, look_.back);
      StretchBlt(dc, 0, 0, MulDiv(info.bmWidth, static_cast<int>(dpi_), 96),
                 MulDiv(info.bmHeight, static_cast<int>(dpi_), 96), source.Get(), 0, 0, info.bmWidth, info.bmHeight,
                 SRCCOPY);
    }
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
  // What lies outside a partial redraw's area is left as it is.
  const auto outside = [&](const RECT& r) {
    RECT common;
    return partial && !IntersectRect(&common, &r, &dirtyArea_);
  };
  for (const auto& picture : pictures_) {
    const RECT r = PixelsOf(picture.spec.bounds);
    if (outside(r)) continue;
    // Width and height 0: the icon's own size, as loaded for this DPI.
    if (picture.icon) DrawIconEx(dc, r.left, r.top, picture.icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
  }
  SetBkMode(dc, TRANSPARENT);
  for (const auto& label : labels_) {
    RECT r = PixelsOf(label.spec.bounds);
    if (!label.visible || label.spec.text.empty() || outside(r)) continue;
    controls::SelectedObject font(dc, label.font.Get());
    SetTextColor(dc, label.spec.color);
    // As a plain label: wrapped at words, and clipped to the label.
    DrawTextA(dc, label.spec.text.c_str(), static_cast<int>(label.spec.text.size()), &r,
              DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
  }
  RestoreDC(dc, saved);
  dirty_ = areaDirty_ = false;
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (accessible_.Handle(message, wParam, lParam, &answer)) return answer;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Invalidate();
      return 0;
    case WM_PAINT: {
      wholeRequested_ = false;
      controls::PaintScope paint(window_);
      if (dirty_ || areaDirty_) Redraw();
      surface_.BlitTo(paint.Get());
      return 0;
    }
    case WM_MOUSEMOVE: {
      // The pictures are controls of their own without a handler.
      const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (MouseMove && !OnPicture(point)) MouseMove(LabelAt(point));
      return 0;
    }
    case WM_LBUTTONDOWN:
      pressedLabel_ = LabelAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (pressedLabel_ != kNoLabel) SetCapture(window_);  // the release comes here wherever it is
      return 0;
    case WM_LBUTTONUP: {
      const int pressed = pressedLabel_;
      pressedLabel_ = kNoLabel;
      if (GetCapture() == window_) ReleaseCapture();
      if (pressed != kNoLabel && pressed == LabelAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) && LabelClick) {
        LabelClick(pressed);
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_) pressedLabel_ = kNoLabel;
      return 0;
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
