// A container child window of the main window: a background (a colour, a
// vertical two-colour gradient or a stretched picture), an optional one-pixel
// border, and the labels and pictures that stand on it, all drawn into a
// persistent off-screen image. Child controls placed on it send their
// notifications to it; it hands WM_COMMAND and WM_NOTIFY on to the main
// window, which owns every control. Screen readers see its labels as static
// texts among its children (controls/accessible.h): they are what the user
// reads on it, so they stand where they are painted and are not hidden
// windows, which screen readers pass over.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/accessible.h"
#include "controls/font_style.h"
#include "controls/gdi_handles.h"
#include "controls/offscreen_surface.h"
#include "controls/window_class.h"

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
  HBITMAP picture = nullptr;  // not owned
  // Stretched over the panel, or drawn at its own size at the top-left
  // corner (as a picture box shows its picture).
  bool stretchPicture = true;
};

struct LabelSpec {
  int id;
  TwipsRect bounds;
  std::string text;
  controls::FontSpec font;
  COLORREF color;
};

// An icon of the program's resources, drawn at its own size (`size` pixels at
// 96 DPI, in proportion at others) at the bounds' top-left corner. It has no
// mouse handler: the pointer over it changes nothing.
struct PictureSpec {
  TwipsRect bounds;
  int iconId;
  int size;
};

class Panel final : private controls::WindowHandler, private controls::AccessibleSource {
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
  // Lays the panel out again at another DPI: its place, fonts and pictures.
  // The controls on it are the host's to move.
  void SetDpi(UINT dpi);

  // Pixels of a twips rectangle of this panel, for placing child controls.
  RECT PixelsOf(const TwipsRect& bounds) const;

  // The pointer moved over the panel; `labelId` is the label under it or kNoLabel.
  std::function<void(int labelId)> MouseMove;
  // A click on a label: pressed and released on it.
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
  struct Picture {
    PictureSpec spec;
    controls::IconHandle icon;
  };

  void Attach(HWND window) override { window_ = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Detach() override { window_ = nullptr; }
  HWND AccessibleWindow() const override { return window_; }
  long ElementCount() const override { return static_cast<long>(labels_.size()); }
  controls::AccessibleDescription Describe(long element) const override;

  Label* Find(int id);
  const Label* Find(int id) const;
  int LabelAt(POINT point) const;
  bool OnPicture(POINT point) const;
  void LoadPicture(Picture& picture) const;
  void Redraw();
  void Invalidate();
  void InvalidateLabel(const Label& label);

  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  UINT dpi_;
  TwipsRect bounds_;
  PanelLook look_;
  std::vector<Label> labels_;
  std::vector<Picture> pictures_;
  int pressedLabel_ = kNoLabel;
  controls::OffscreenSurface surface_;
  bool dirty_ = true;       // the whole image is to be drawn again
  bool areaDirty_ = false;  // labels within dirtyArea_ are
  RECT dirtyArea_ = {};
  bool wholeRequested_ = false;  // invalidated since the last WM_PAINT
  controls::AccessibleConnection accessible_{*this};
};

}  // namespace app
