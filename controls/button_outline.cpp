// Outline region, border lines, focus indication and drop-down mark of the
// Button repaint.
#include "controls/button_paint.h"
#include "controls/gdi_handles.h"
#include "controls/rounding.h"

namespace controls {

namespace {

constexpr COLORREF kStyle7Inner = 0xFFFFFF;
constexpr COLORREF kStyle7InnerPressed = 0xCFB073;
constexpr COLORREF kStyle7InnerFocused = 0xFECC04;
constexpr COLORREF kFocusFrame = 0xD1D1D1;
constexpr COLORREF kStyle4CaptionFocus = 0xCC9999;

COLORREF Sys(OleColor color) { return ResolveColor(color); }

bool Focused(const ButtonProperties& p, const ButtonLook& look) { return p.FocusRect && look.hasFocus; }

// Styles 6 and 8 draw a two-colour ring inside the border: warm colours while
// hovered, cool ones while the control has the focus (the focus wins).
struct RingColors {
  COLORREF light;
  COLORREF lightInner;
  COLORREF side;
  COLORREF shadowInner;
  COLORREF shadow;
};
constexpr RingColors kHoverRing{0xCEF3FF, 0x8CDBFF, 0x90D6F7, 0x31B2F0, 0x109ADC};
constexpr RingColors kFocusRing{0xFFE7CE, 0xF7D7BD, 0xF0D1B5, 0xE2A981, 0xD98D59};

const RingColors* RingFor(const ButtonProperties& p, const ButtonLook& look) {
  if (p.ButtonStyle != 6 && p.ButtonStyle != 8) return nullptr;
  if (Focused(p, look)) return &kFocusRing;
  if (look.hover && !look.pressed) return &kHoverRing;
  return nullptr;
}

// Draws the border's lines and remembers the colour of the last one: that is
// the current pen colour the focus indication works with.
class BorderPainter {
 public:
  BorderPainter(HDC dc, COLORREF pen) : dc_(dc), current_(pen) {}
  HDC Dc() const { return dc_; }
  COLORREF Current() const { return current_; }
  void Polyline(std::initializer_list<POINT> points, COLORREF color) {
    DrawPolyline(dc_, points, color);
    current_ = color;
  }
  void Line(int x1, int y1, int x2, int y2, COLORREF color) { Polyline({{x1, y1}, {x2, y2}}, color); }
  // A pen for curves drawn directly with GDI.
  Pen CurvePen(COLORREF color) {
    current_ = color;
    return Pen(CreatePen(PS_SOLID, 1, color));
  }

 private:
  HDC dc_;
  COLORREF current_;
};

// Lines on the contour of a rounded rectangle or an ellipse, inset by k pixels:
// the lit half (top and left) or the shaded half (bottom and right).
enum class Half { Lit, Shaded, Whole };

void RoundRectContour(BorderPainter& painter, int w, int h, int k, Half half, COLORREF color) {
  HDC dc = painter.Dc();
  Pen pen = painter.CurvePen(color);
  SelectedObject selected(dc, pen.Get());
  const int right = w - 1 - k;
  const int bottom = h - 1 - k;
  auto line = [dc](int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  // Straight edges from 10 pixels past each corner; corners as quarter arcs of
  // a 17 x 17 box.
  if (half != Half::Shaded) {
    line(10, k, w - 10, k);
    line(k, 10, k, h - 10);
    Arc(dc, k, k, k + 17, k + 17, 10, k, k, 10);
  }
  if (half != Half::Lit) {
    line(10, bottom, w - 10, bottom);
    line(right, 10, right, h - 10);
    Arc(dc, right - 17, bottom - 17, right, bottom, w - 10, bottom, right, h - 10);
  }
  if (half == Half::Whole) {
    Arc(dc, right - 17, k, right, k + 17, right, 10, w - 10, k);
    Arc(dc, k, bottom - 17, k + 17, bottom, k, h - 10, 10, bottom);
  }
}

void EllipseContour(BorderPainter& painter, int w, int h, int k, Half half, COLORREF color) {
  HDC dc = painter.Dc();
  Pen pen = painter.CurvePen(color);
  SelectedObject selected(dc, pen.Get());
  const int left = 1 + k, top = 1 + k, right = w - 2 - k, bottom = h - 2 - k;
  // Arcs run counter-clockwise: from the upper right to the lower left is the lit half.
  switch (half) {
    case Half::Lit: Arc(dc, left, top, right, bottom, w, 0, 0, h); break;
    case Half::Shaded: Arc(dc, left, top, right, bottom, 0, h, w, 0); break;
    case Half::Whole: Arc(dc, left, top, right, bottom, w, 0, w, 0); break;
  }
}

// Edges of a polygon facing up or left (lit) or down or right (shaded).
void PolygonEdges(BorderPainter& painter, const std::vector<POINT>& points, Half half, COLORREF color) {
  if (points.size() < 3) return;
  double cx = 0, cy = 0;
  for (const POINT& p : points) {
    cx += p.x;
    cy += p.y;
  }
  cx /= points.size();
  cy /= points.size();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const POINT a = points[i];
    const POINT b = points[(i + 1) % points.size()];
    double nx = b.y - a.y, ny = -(b.x - a.x);
    const double mx = (a.x + b.x) / 2.0 - cx, my = (a.y + b.y) / 2.0 - cy;
    if (nx * mx + ny * my < 0) {
      nx = -nx;
      ny = -ny;
    }
    const bool lit = nx + ny < 0;
    if (half == Half::Whole || (half == Half::Lit) == lit) painter.Line(a.x, a.y, b.x, b.y, color);
  }
}

void RectangleBorder(BorderPainter& painter, const ButtonProperties& p, const ButtonLook& look, int w, int h,
                     COLORREF pen) {
  painter.Polyline({{0, 0}, {0, h - 1}, {w - 1, h - 1}, {w - 1, 0}, {0, 0}}, pen);
  switch (p.ButtonStyle) {
    case 1:
      if (!look.pressed) {  // raised; the outer right and bottom edges keep the pen colour
        painter.Polyline({{w - 2, 0}, {w - 2, h - 2}, {0, h - 2}}, Sys(kSysButtonShadow));
        painter.Polyline({{w - 1, 0}, {0, 0}, {0, h - 1}}, Sys(kSysHighlight3D));
      } else {  // sunken
        painter.Polyline({{w - 1, 0}, {0, 0}, {0, h - 1}}, Sys(kSysDarkShadow3D));
        painter.Polyline({{w - 1, 1}, {1, 1}, {1, h - 1}}, Sys(kSysButtonShadow));
      }
      break;
    case 2:
    case 3:
      painter.Polyline({{w - 1, 0}, {0, 0}, {0, h - 1}}, Sys(look.pressed ? kSysDarkShadow3D : kSysHighlight3D));
      break;
    case 4:  // flat, the same in every state: a light inner edge top and left
      painter.Polyline({{1, h - 2}, {1, 1}, {w - 2, 1}}, Sys(kSysHighlight3D));
      painter.Polyline({{w - 2, 1}, {w - 2, h - 2}, {1, h - 2}}, Sys(kSysButtonShadow));
      break;
    case 7:
      painter.Polyline({{1, 1}, {1, h - 2}, {w - 2, h - 2}, {w - 2, 1}, {1, 1}},
                       look.pressed ? kStyle7InnerPressed : kStyle7Inner);
      if (!look.pressed && Focused(p, look)) {
        painter.Polyline({{1, 1}, {1, h - 2}, {w - 2, h - 2}, {w - 2, 1}, {1, 1}}, kStyle7InnerFocused);
      }
      break;
    default:
      break;
  }
  if (const RingColors* ring = RingFor(p, look)) {
    painter.Line(1, 1, w - 1, 1, ring->light);
    painter.Line(1, 2, w - 1, 2, ring->lightInner);
    painter.Line(1, 3, 1, h - 3, ring->side);
    painter.Line(2, 3, 2, h - 3, ring->side);
    painter.Line(w - 2, 3, w - 2, h - 3, ring->side);
    painter.Line(w - 3, 3, w - 3, h - 3, ring->side);
    painter.Line(1, h - 3, w - 1, h - 3, ring->shadowInner);
    painter.Line(1, h - 2, w - 1, h - 2, ring->shadow);
  }
  if (p.ButtonStyle != 4 && p.ButtonStyle != 6 && p.ButtonStyle != 7 && Focused(p, look)) {
    painter.Polyline({{4, 4}, {4, h - 5}, {w - 5, h - 5}, {w - 5, 4}, {4, 4}}, kFocusFrame);
  }
}

// Inner lines of the rounded rectangle and the ellipse, by style; contour(k,
// half, colour) draws one part of the outline inset by k pixels.
template <typename Contour>
void CurvedStyleLines(const ButtonProperties& p, const ButtonLook& look, Contour contour) {
  switch (p.ButtonStyle) {
    case 1:
    case 2:
    case 3:
      contour(0, Half::Lit, Sys(look.pressed ? kSysDarkShadow3D : kSysHighlight3D));
      if (p.ButtonStyle == 1) {
        if (look.pressed) {
          contour(1, Half::Lit, Sys(kSysButtonShadow));
        } else {
          contour(1, Half::Shaded, Sys(kSysButtonShadow));
        }
      }
      break;
    case 4:
      contour(1, Half::Lit, Sys(kSysHighlight3D));
      contour(1, Half::Shaded, Sys(kSysButtonShadow));
      break;
    case 7:
      contour(1, Half::Whole, look.pressed ? kStyle7InnerPressed : kStyle7Inner);
      if (!look.pressed && Focused(p, look)) contour(1, Half::Whole, kStyle7InnerFocused);
      break;
    default:
      break;
  }
  if (const RingColors* ring = RingFor(p, look)) {
    contour(1, Half::Lit, ring->light);
    contour(1, Half::Shaded, ring->shadow);
  }
}

void PolygonStyleLines(BorderPainter& painter, const ButtonProperties& p, const ButtonLook& look, const std::vector<POINT>& points) {
  switch (p.ButtonStyle) {
    case 1:
    case 2:
    case 3:
      PolygonEdges(painter, points, Half::Lit, Sys(look.pressed ? kSysDarkShadow3D : kSysHighlight3D));
      break;
    case 4:
      PolygonEdges(painter, points, Half::Lit, Sys(kSysHighlight3D));
      break;
    case 7:
      if (look.pressed) {
        PolygonEdges(painter, points, Half::Lit, kStyle7InnerPressed);
      } else if (Focused(p, look)) {
        PolygonEdges(painter, points, Half::Whole, kStyle7InnerFocused);
      }
      break;
    default:
      break;
  }
  if (const RingColors* ring = RingFor(p, look)) {
    PolygonEdges(painter, points, Half::Lit, ring->light);
    PolygonEdges(painter, points, Half::Shaded, ring->shadow);
  }
}

}  // namespace

std::vector<POINT> OutlinePolygon(std::int32_t shape, int width, int height) {
  const double w = width, h = height;
  std::vector<PointD> points;
  switch (shape) {
    case kShapeDiamond: points = {{w, h / 2}, {w / 2, 0}, {0, h / 2}, {w / 2, h}}; break;
    case kShapeTriangleUp: points = {{0, h}, {w / 2, 0}, {w, h}}; break;
    case kShapeTriangleLeft: points = {{0, h / 2}, {w, 0}, {w, h}}; break;
    case kShapeTriangleRight: points = {{w, h / 2}, {0, 0}, {0, h}}; break;
    case kShapeTriangleDown: points = {{0, 1}, {w / 2, h}, {w, 1}}; break;
    case kShapeArrowUp:
      points = {{w / 2, 0}, {0, h / 1.5}, {w / 3, h / 1.5}, {w / 3, h}, {w / 1.5, h}, {w / 1.5, h / 1.5}, {w, h / 1.5}};
      break;
    case kShapeArrowLeft:
      points = {{0, h / 2}, {w / 1.5, 0}, {w / 1.5, h / 3}, {w, h / 3}, {w, h / 1.5}, {w / 1.5, h / 1.5}, {w / 1.5, h}};
      break;
    case kShapeArrowRight:
      points = {{w, h / 2}, {w / 3, 0}, {w / 3, h / 3}, {0, h / 3}, {0, h / 1.5}, {w / 3, h / 1.5}, {w / 3, h}};
      break;
    case kShapeArrowDown:
      points = {{w / 2, h}, {0, h / 3}, {w / 3, h / 3}, {w / 3, 0}, {w / 1.5, 0}, {w / 1.5, h / 3}, {w, h / 3}};
      break;
    default:
      break;
  }
  std::vector<POINT> rounded;
  rounded.reserve(points.size());
  for (const PointD& point : points) rounded.push_back(Rounded(point));
  return rounded;
}

HRGN CreateOutlineRegion(std::int32_t shape, int width, int height) {
  switch (shape) {
    case kShapeRoundRect: return CreateRoundRectRgn(0, 0, width, height, 15, 15);
    case kShapeEllipse: return CreateEllipticRgn(0, 0, width, height);
    default: break;
  }
  const std::vector<POINT> points = OutlinePolygon(shape, width, height);
  if (points.empty()) return nullptr;
  return CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

COLORREF DrawBorder(const ButtonCanvas& c, const ButtonProperties& p, const ButtonLook& look, COLORREF pen) {
  HDC dc = c.Dc();
  const int w = c.width, h = c.height;
  SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
  BorderPainter painter(dc, pen);
  // Styles with a dotted focus indication first draw an inner focus frame,
  // which the indication then turns dotted.
  const bool focusFrame = p.ButtonStyle != 4 && p.ButtonStyle != 6 && p.ButtonStyle != 7 && Focused(p, look);
  switch (p.ButtonShape) {
    case kShapeRectangle:
      RectangleBorder(painter, p, look, w, h, pen);
      break;
    case kShapeRoundRect: {
      {
        Pen outline = painter.CurvePen(pen);
        SelectedObject selected(dc, outline.Get());
        RoundRect(dc, 0, 0, w - 1, h - 1, 16, 16);
      }
      CurvedStyleLines(p, look,
                       [&](int k, Half half, COLORREF color) { RoundRectContour(painter, w, h, k, half, color); });
      if (focusFrame) {
        Pen frame = painter.CurvePen(kFocusFrame);
        SelectedObject selected(dc, frame.Get());
        RoundRect(dc, 4, 4, w - 4, h - 4, 10, 10);
      }
      break;
    }
    case kShapeEllipse: {
      {
        Pen outline = painter.CurvePen(pen);
        SelectedObject selected(dc, outline.Get());
        Ellipse(dc, 1, 1, w - 2, h - 2);
      }
      CurvedStyleLines(p, look,
                       [&](int k, Half half, COLORREF color) { EllipseContour(painter, w, h, k, half, color); });
      if (focusFrame) {
        Pen frame = painter.CurvePen(kFocusFrame);
        SelectedObject selected(dc, frame.Get());
        Ellipse(dc, 5, 5, w - 6, h - 6);
      }
      break;
    }
    default: {
      const std::vector<POINT> points = OutlinePolygon(p.ButtonShape, w, h);
      if (points.empty()) break;
      PolygonEdges(painter, points, Half::Whole, pen);
      PolygonStyleLines(painter, p, look, points);
      break;
    }
  }
  return painter.Current();
}

void DrawFocusIndication(const ButtonCanvas& c, const ButtonProperties& p, const ButtonLook& look,
                         const CaptionBox& caption, COLORREF currentPen) {
  if (!Focused(p, look)) return;
  if (p.ButtonStyle == 4) {
    if (p.Caption.empty()) return;
    Pen frame(CreatePen(PS_SOLID, 1, kStyle4CaptionFocus));
    SelectedObject selected(c.Dc(), frame.Get());
    SelectedObject hollow(c.Dc(), GetStockObject(NULL_BRUSH));
    // Both corners are part of the frame.
    Rectangle(c.Dc(), caption.x - 3, caption.y - 2, caption.x + caption.cx + 3, caption.y + caption.cy + 3);
    return;
  }
  if (p.ButtonStyle == 6 || p.ButtonStyle == 7) return;
  // Pixels of the current pen colour on two interleaved grids turn black:
  // every other pixel of the focus frame, whichever the parity of its sides.
  for (int start = 3; start >= 2; --start) {
    for (int y = start; y <= c.height - start; y += 2) {
      for (int x = start; x <= c.width - start; x += 2) {
        if (c.surface.Pixel(x, y) == currentPen) c.surface.SetPixel(x, y, RGB(0, 0, 0));
      }
    }
  }
}

void DrawDropDownMark(const ButtonCanvas& c, std::int32_t dropDown) {
  int left;
  if (dropDown == 1) {
    left = 2;
  } else if (dropDown == 2) {
    left = c.width - 21;
  } else {
    return;
  }
  const int top = RoundHalfEven(c.height / 2.0 - 8);
  // A small down-pointing triangle, one row per group, inside the 10 x 10
  // square right of and below the anchor.
  HDC dc = c.Dc();
  Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  SelectedObject selected(dc, pen.Get());
  for (int row = 0; row < 4; ++row) {
    const int y = top + 3 + row;
    MoveToEx(dc, left + 1 + row, y, nullptr);
    LineTo(dc, left + 5, y);
    LineTo(dc, left + 9 - row, y);
  }
}

}  // namespace controls
