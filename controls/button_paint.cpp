// Button: the repaint. Every property assignment and state change redraws the
// whole control into its off-screen image, then copies it to the screen.
#include <algorithm>

#include "controls/button.h"

namespace controls {

void Button::Repaint() {
  // Resizing to a square inside the repaint sends WM_SIZE; the guard absorbs it.
  if (!hwnd_ || repainting_ || initialising_) return;
  repainting_ = true;
  ++repaintCount_;

  RECT client;
  GetClientRect(hwnd_, &client);
  // Outlines 2 to 11 are drawn in a square; values outside the table select
  // no outline and leave the size alone.
  const std::int32_t shape = properties_.ButtonShape;
  if (shape >= kShapeEllipse && shape <= kShapeArrowDown && client.bottom != client.right) {
    SetWindowPos(hwnd_, nullptr, 0, 0, client.right, client.right, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(hwnd_, &client);
  }
  const int width = std::max<int>(1, client.right);
  const int height = std::max<int>(1, client.bottom);
  PrepareSurface(width, height);

  UpdateHandCursor();
  if (properties_.ButtonType == kButtonTypeToggle && properties_.Value) state_.Pressed = true;

  const ButtonLook look{state_.Pressed, state_.Hover, state_.HasFocus, IsWindowEnabled(hwnd_) != FALSE};
  const ButtonCanvas canvas{surface_, width, height};
  {
    SelectedObject font(surface_.Dc(), fontHandle_ ? static_cast<HGDIOBJ>(fontHandle_.Get())
                                                   : GetStockObject(DEFAULT_GUI_FONT));
    DrawFaceBackground(canvas, properties_, look);
    ApplyStyleStep(canvas, properties_, look);
    PlacePicture(pictureBox_, properties_, width, height);
    DrawPicture(canvas, properties_, look, pictureBox_);
    const COLORREF textColor = DrawCaption(canvas, properties_, look, captionBox_);
    ApplyCaptionStyle(canvas, properties_, look, captionBox_, textColor);
  }
  const COLORREF pen = ResolveColor(BorderPenColor(properties_, look));
  ApplyOutline(width, height);
  const COLORREF currentPen = DrawBorder(canvas, properties_, look, pen);
  DrawFocusIndication(canvas, properties_, look, captionBox_, currentPen);
  DrawDropDownMark(canvas, properties_.DropDown);

  repainting_ = false;
  Present();
}

void Button::PrepareSurface(int width, int height) {
  surface_.Resize(width, height);
  HDC dc = surface_.Dc();
  HWND parent = GetParent(hwnd_);
  // The host's surface colour, asked for the way standard buttons ask it.
  auto brush = reinterpret_cast<HBRUSH>(
      parent ? SendMessageA(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_))
             : 0);
  if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, brush);

  // A transparent face shows the host: let the parent draw its background
  // into the image, shifted to where the control sits on it.
  if (properties_.ButtonStyleColors == 0 && parent) {
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT previous;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
  }
}

void Button::ApplyOutline(int width, int height) {
  const std::int32_t shape = properties_.ButtonShape;
  if (shape == kShapeRectangle) {
    RECT box;
    if (GetWindowRgnBox(hwnd_, &box) != ERROR) SetWindowRgn(hwnd_, nullptr, TRUE);
    shapeRegion_ = nullptr;
    return;
  }
  Region region(CreateOutlineRegion(shape, width, height));
  if (!region) return;  // a shape outside the table changes nothing
  if (SetWindowRgn(hwnd_, region.Get(), TRUE)) shapeRegion_ = region.Release();  // the window owns it now
}

void Button::UpdateHandCursor() {
  const ButtonState& s = state_;
  handCursor_ = properties_.HandPointer && ((s.Pressed && s.HasFocus) || (!s.Pressed && (s.Hover || s.HasFocus)));
  if (!handCursor_) return;
  // Only while the pointer is over the control: the focus alone must not
  // change the pointer over other windows.
  POINT pointer;
  if (GetCursorPos(&pointer) && (WindowFromPoint(pointer) == hwnd_ || GetCapture() == hwnd_)) {
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
  }
}

void Button::Present() {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
  WindowDc dc(hwnd_);
  if (dc.Get()) surface_.BlitTo(dc.Get());
}

}  // namespace controls
