#include "controls/drawing.h"

#include "controls/gdi_handles.h"
#include "controls/rounding.h"

namespace controls {

namespace {

TRIVERTEX Vertex(POINT point, COLORREF color) {
  TRIVERTEX vertex{};
  vertex.x = point.x;
  vertex.y = point.y;
  // 8-bit channels in the high byte of the 16-bit vertex channels.
  vertex.Red = static_cast<COLOR16>(GetRValue(color) << 8);
  vertex.Green = static_cast<COLOR16>(GetGValue(color) << 8);
  vertex.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
  vertex.Alpha = 0;
  return vertex;
}

}  // namespace

POINT Rounded(PointD point) { return POINT{RoundHalfEven(point.x), RoundHalfEven(point.y)}; }

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  DrawPolyline(dc, {POINT{x1, y1}, POINT{x2, y2}}, color);
}

void DrawPolyline(HDC dc, const std::vector<POINT>& points, COLORREF color) {
  if (points.size() < 2) return;
  Pen pen(CreatePen(PS_SOLID, 1, color));
  SelectedObject selected(dc, pen.Get());
  MoveToEx(dc, points.front().x, points.front().y, nullptr);
  for (std::size_t i = 1; i < points.size(); ++i) LineTo(dc, points[i].x, points[i].y);
}

void DrawPolyline(HDC dc, std::initializer_list<POINT> points, COLORREF color) {
  DrawPolyline(dc, std::vector<POINT>(points), color);
}

void FillGradient(HDC dc, PointD p0, COLORREF c0, PointD p1, COLORREF c1, GradientDirection direction) {
  // The colours stay with their vertices, whichever of them is the upper or
  // left one, so P0's colour is found at P0's edge of the rectangle.
  TRIVERTEX vertices[2] = {Vertex(Rounded(p0), c0), Vertex(Rounded(p1), c1)};
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, vertices, 2, &rect, 1,
               direction == GradientDirection::Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  Brush brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

}  // namespace controls
