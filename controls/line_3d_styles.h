// The two line elements of a Line_3D and the table of its thirteen styles.
#pragma once

#include <cstdint>

#include "controls/ole_color.h"

namespace controls {

enum class DashPattern { Solid, Dash, Dot, DashDot, DashDotDot };

// One straight line: colour, width in pixels, dash pattern, and its ends in
// twips from the control's top-left corner.
struct LineElement {
  OleColor Color = 0;
  int Width = 1;
  DashPattern Dash = DashPattern::Solid;
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
};

// Geometry of one line in a style: the line runs at height y (twips) from x1
// to SW - rightInset, SW being the control's inner width in twips.
struct LineGeometry {
  int width;
  int y;
  int x1;
  int rightInset;
};

struct Line3DStyle {
  LineGeometry back;
  LineGeometry front;
  bool setsDash;  // styles 9 to 12 set the front line's dash; it stays for later styles
  DashPattern frontDash;
};

// The style's settings; nullptr for values outside 0 to 12.
const Line3DStyle* FindLine3DStyle(std::int32_t style);

// Sets both lines from the style's settings for a control SW twips wide.
void ApplyLine3DStyle(const Line3DStyle& style, int scaleWidthTwips, LineElement& back, LineElement& front);

}  // namespace controls
