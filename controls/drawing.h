// The drawing operations the controls are built from: one-pixel lines in a
// colour (a line covers its start point, not its end point), two-colour
// linear gradients and solid fills.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace controls {

struct PointD {
  double x;
  double y;
};

// Coordinates rounded half to even.
POINT Rounded(PointD point);

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);

// Connected lines through the points, in order.
void DrawPolyline(HDC dc, const std::vector<POINT>& points, COLORREF color);
void DrawPolyline(HDC dc, std::initializer_list<POINT> points, COLORREF color);

enum class GradientDirection { Horizontal, Vertical };

// Fills the rectangle spanned by p0 and p1 with a linear two-colour gradient:
// horizontal gradients vary with x only (c0 at p0.x, c1 at p1.x), vertical
// ones with y only. Channels are interpolated with 8-bit precision.
void FillGradient(HDC dc, PointD p0, COLORREF c0, PointD p1, COLORREF c1, GradientDirection direction);

void FillSolid(HDC dc, const RECT& rect, COLORREF color);

}  // namespace controls
