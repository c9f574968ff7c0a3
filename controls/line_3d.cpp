#include "controls/line_3d.h"

#include <oleacc.h>

#include <algorithm>

#include "controls/dpi.h"
#include "controls/gdi_handles.h"
#include "controls/window_class.h"

namespace controls {

namespace {

constexpr const char* kBackColorKey = "BackColor";
constexpr const char* kForeColorKey = "ForeColor";
constexpr const char* kStyleKey = "Style";
constexpr int kHeightTwips = 100;

int PenStyle(DashPattern dash) {
  switch (dash) {
    case DashPattern::Dash: return PS_DASH;
    case DashPattern::Dot: return PS_DOT;
    case DashPattern::DashDot: return PS_DASHDOT;
    case DashPattern::DashDotDot: return PS_DASHDOTDOT;
    default: return PS_SOLID;
  }
}

// A plain pen of the line's width, colour and dash: lines wider than one
// pixel get the pen's round ends, half their width beyond the end points.
HPEN CreateLinePen(const LineElement& line, COLORREF color) {
  return CreatePen(PenStyle(line.Dash), line.Width < 1 ? 1 : line.Width, color);
}

}  // namespace

Line_3D::Line_3D() = default;

Line_3D::~Line_3D() {
  accessible_.Disconnect();
  DestroyDetached(hwnd_);
}

bool Line_3D::Create(HWND parent, int controlId, UINT dpi) {
  if (hwnd_) return false;
  const HINSTANCE module = ModuleOf(reinterpret_cast<const void*>(&WindowProcedure));
  if (!EnsureWindowClass(module, kClassName, &WindowProcedure, 0, LoadCursorA(nullptr, IDC_ARROW))) return false;
  dpi_ = dpi ? dpi : WindowDpi(parent);
  CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), module, CreationParameter());
  return hwnd_ != nullptr;
}

AccessibleDescription Line_3D::Describe(long) const {
  AccessibleDescription d;
  d.role = ROLE_SYSTEM_SEPARATOR;
  d.state = WindowState(hwnd_, false);
  d.screen = ScreenRect(hwnd_);
  return d;
}

LRESULT Line_3D::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (accessible_.Handle(message, wParam, lParam, &answer)) return answer;
  switch (message) {
    case WM_SIZE:
      OnResize();
      return 0;
    case WM_PAINT: {
      PaintScope paint(hwnd_);
      surface_.BlitTo(paint.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      surface_.BlitTo(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_SYSCOLORCHANGE:
      Redraw();
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

int Line_3D::ScaleWidthTwips() const {
  if (!hwnd_) return 0;
  RECT client;
  GetClientRect(hwnd_, &client);
  return PixelsToTwips(client.right, dpi_);
}

void Line_3D::Move(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(leftTwips, dpi_), TwipsToPixels(topTwips, dpi_),
               TwipsToPixels(widthTwips, dpi_), TwipsToPixels(heightTwips, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Line_3D::Dpi(UINT dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  dpi_ = dpi;
  Redraw();
}

void Line_3D::Notify(const char* name) {
  if (PropertyChanged) {
    auto handler = PropertyChanged;
    handler(name);
  }
}

void Line_3D::Style(std::int32_t value) {
  style_ = value;
  ApplyStyle();
  Notify("Style");
}

void Line_3D::BackColor(OleColor value) {
  back_.Color = value;
  Redraw();
  Notify("BackColor");
}

void Line_3D::ForeColor(OleColor value) {
  // The line elements redraw themselves when changed, so the new colour shows.
  front_.Color = value;
  Redraw();
  Notify("ForeColor");
}

void Line_3D::ApplyStyle() {
  if (const Line3DStyle* style = FindLine3DStyle(style_)) {
    ApplyLine3DStyle(*style, ScaleWidthTwips(), back_, front_);
    frontOnTop_ = true;
  }
  Redraw();
}

void Line_3D::OnResize() {
  if (resizing_ || !hwnd_) return;
  const int scaleWidth = ScaleWidthTwips();
  front_.X2 = scaleWidth - 30;
  back_.X2 = scaleWidth - 60;
  // The style is not applied again: the back line now ends 60 twips from the
  // right edge whatever the style.
  RECT client;
  GetClientRect(hwnd_, &client);
  const int height = TwipsToPixels(kHeightTwips, dpi_);
  if (client.bottom != height) {
    resizing_ = true;
    SetWindowPos(hwnd_, nullptr, 0, 0, client.right, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    resizing_ = false;
  }
  Redraw();
}

void Line_3D::ReadProperties(const PropertyBag& bag) {
  back_.Color = bag.ReadColor(kBackColorKey, 0);
  front_.Color = bag.ReadColor(kForeColorKey, 0);
  style_ = bag.ReadInt32(kStyleKey, 0);
  ApplyStyle();
}

void Line_3D::WriteProperties(PropertyBag& bag) const {
  bag.Write(kBackColorKey, PropertyValue(static_cast<std::int64_t>(back_.Color)), PropertyValue(std::int64_t{0}));
  bag.Write(kForeColorKey, PropertyValue(static_cast<std::int64_t>(front_.Color)), PropertyValue(std::int64_t{0}));
  bag.Write(kStyleKey, PropertyValue(static_cast<std::int64_t>(style_)), PropertyValue(std::int64_t{0}));
}

void Line_3D::DrawLine(const LineElement& line, UINT dpi) {
  HDC dc = surface_.Dc();
  Pen pen(CreateLinePen(line, ResolveColor(line.Color)));
  SelectedObject selected(dc, pen.Get());
  SetBkMode(dc, TRANSPARENT);  // the gaps of a dashed line show what lies below
  MoveToEx(dc, TwipsToPixels(line.X1, dpi), TwipsToPixels(line.Y1, dpi), nullptr);
  LineTo(dc, TwipsToPixels(line.X2, dpi), TwipsToPixels(line.Y2, dpi));
}

void Line_3D::Redraw() {
  if (!hwnd_) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  surface_.Resize(std::max<int>(1, client.right), std::max<int>(1, client.bottom));
  HDC dc = surface_.Dc();
  HWND parent = GetParent(hwnd_);
  // The host's background, asked for the way static controls ask it.
  auto brush = reinterpret_cast<HBRUSH>(
      parent ? SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_))
             : 0);
  if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
  const RECT all{0, 0, surface_.Width(), surface_.Height()};
  FillRect(dc, &all, brush);

  DrawLine(frontOnTop_ ? back_ : front_, dpi_);
  DrawLine(frontOnTop_ ? front_ : back_, dpi_);

  if (IsWindowVisible(hwnd_)) {
    WindowDc screen(hwnd_);
    if (screen.Get()) surface_.BlitTo(screen.Get());
  }
}

}  // namespace controls
