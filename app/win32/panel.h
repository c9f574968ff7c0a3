// A container child window of the main window: a background (a colour, a
// vertical two-colour gradient or a stretched picture), an optional one-pixel
// border, and the labels and pictures that stand on it, all drawn into a
// persistent off-screen image. Child controls placed on it send their
// notifications to it; it hands WM_COMMAND and WM_NOTIFY on to the main
// window, which owns every control.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/font_style.h"
#include "controls/gdi_handles.h"
#include "controls/offscreen_surface.h"

namespace app {

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

struct PanelLook {
  COLORREF back = RGB(0xFB, 0xFB, 0xFB);
  std::optional<COLORREF> gradientEnd;  // top to bottom, from `back`
  std::optional<COLORREF> border;
  HBITMAP picture = nullptr;            // stretched over the panel; not owned
};

struct LabelSpec {
  int id;
  TwipsRect bounds;
  std::string text;
  controls::FontSpec font;
  COLORREF color;
};

struct PictureSpec {
  TwipsRect bounds;
  HICON icon;  // drawn at the bounds' size; not owned
};

class Panel {
 public:
  static constexpr int kNoLabel = 0;

  // `bounds` are relative to the parent: the main window's client area for
  // its panels, the panel for a frame inside it.
  Panel(HWND parent, HWND owner, const TwipsRect& bounds, const PanelLook& look, UINT dpi);
  ~Panel();
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  HWND Handle() const { return window_; }
  UINT Dpi() const { return dpi_; }

  void AddLabel(const LabelSpec& label);
  void AddPicture(const PictureSpec& picture);

  void SetLabelText(int id, const std::string& text);
  std::string LabelText(int id) const;
  void SetLabelColor(int id, COLORREF color);
  void SetLabelFont(int id, const controls::FontSpec& font);
  controls::FontSpec LabelFont(int id) const;
  void SetLabelVisible(int id, bool visible);
  bool LabelVisible(int id) const;
  void SetLabelWidth(int id, int twips);
  int LabelWidth(int id) const;

  void Show(bool visible);
  bool Visible() const;
  void MoveTo(const TwipsRect& bounds);

  // Pixels of a twips rectangle of this panel, for placing child controls.
  RECT PixelsOf(const TwipsRect& bounds) const;

  // The pointer moved over the panel; `labelId` is the label under it or kNoLabel.
  std::function<void(int labelId)> MouseMove;
  // A click on a label.
  std::function<void(int labelId)> LabelClick;
  // The cursor to show over the panel (nullptr: the arrow).
  std::function<HCURSOR()> Cursor;

  // The panel's current image, for tests and screenshots.
  const controls::OffscreenSurface& Surface();

 private:
  struct Label {
    LabelSpec spec;
    bool visible = true;
    controls::FontHandle font;
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  Label* Find(int id);
  const Label* Find(int id) const;
  int LabelAt(POINT point) const;
  void Redraw();
  void Invalidate();

  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  UINT dpi_;
  PanelLook look_;
  std::vector<Label> labels_;
  std::vector<PictureSpec> pictures_;
  controls::OffscreenSurface surface_;
  bool dirty_ = true;
  bool paintRequested_ = false;  // invalidated since the last WM_PAINT
};

}  // namespace app
