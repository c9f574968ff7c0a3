// Line_3D: a horizontal separator of two parallel lines, the back line in
// BackColor and the front line in ForeColor, whose widths, offsets and dash
// patterns give a raised, sunken, grooved or dashed look. It raises no events
// and takes no input (clicks fall through to the host). Screen readers see it
// as a separator.
//
//   controls::Line_3D separator;
//   separator.Create(panel, kSeparatorId);
//   separator.Move(360, 480, 8655, 105);       // twips
//   separator.ReadProperties(layoutBag);       // "BackColor", "ForeColor", "Style"
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "controls/accessible.h"
#include "controls/line_3d_styles.h"
#include "controls/offscreen_surface.h"
#include "controls/property_bag.h"
#include "controls/window_class.h"

namespace controls {

class Line_3D final : private WindowHandler, private AccessibleSource {
 public:
  static constexpr const char* kClassName = "HivesweepLine3D";

  // Tells the host that the named property was assigned.
  std::function<void(const char* propertyName)> PropertyChanged;

  Line_3D();
  ~Line_3D();
  Line_3D(const Line_3D&) = delete;
  Line_3D& operator=(const Line_3D&) = delete;

  // `dpi` 0: the window's own.
  bool Create(HWND parent, int controlId, UINT dpi = 0);
  // Places the window, in twips of the parent's client area. The height is
  // then set to 100 twips by the resize rule.
  void Move(int leftTwips, int topTwips, int widthTwips, int heightTwips);
  // The DPI twips are turned into pixels with. A host that changes DPI sets
  // the new one, then moves the control again.
  UINT Dpi() const { return dpi_; }
  void Dpi(UINT dpi);

  std::int32_t Style() const { return style_; }
  void Style(std::int32_t value);  // stores, applies the style, tells the host
  OleColor BackColor() const { return back_.Color; }
  void BackColor(OleColor value);
  OleColor ForeColor() const { return front_.Color; }
  void ForeColor(OleColor value);

  // Colours default to 0, Style to 0; loading applies the stored style.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  const LineElement& BackLine() const { return back_; }
  const LineElement& FrontLine() const { return front_; }
  bool FrontLineOnTop() const { return frontOnTop_; }
  // The control's inner width in twips (SW).
  int ScaleWidthTwips() const;

  HWND hwnd() const { return hwnd_; }
  HDC hDC() const { return surface_.Dc(); }
  const OffscreenSurface& Surface() const { return surface_; }

 private:
  void Attach(HWND window) override { hwnd_ = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Detach() override { hwnd_ = nullptr; }
  HWND AccessibleWindow() const override { return hwnd_; }
  AccessibleDescription Describe(long element) const override;
  void ApplyStyle();
  void OnResize();
  void Redraw();
  void DrawLine(const LineElement& line, UINT dpi);
  void Notify(const char* name);

  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  std::int32_t style_ = 0;  // not applied until set or loaded
  // A newly placed control shows a thin etched line: a shadow line over a
  // highlight line one pixel below it, both solid, the front one on top.
  LineElement back_{kSysHighlight3D, 1, DashPattern::Solid, 30, 45, 0, 45};
  LineElement front_{kSysButtonShadow, 1, DashPattern::Solid, 30, 30, 0, 30};
  bool frontOnTop_ = true;
  bool resizing_ = false;
  OffscreenSurface surface_;
  AccessibleConnection accessible_{*this};
};

}  // namespace controls
