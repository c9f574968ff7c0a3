#include "controls/line_3d_styles.h"

namespace controls {

namespace {

constexpr auto kSolid = DashPattern::Solid;

constexpr Line3DStyle kStyles[] = {
    /* 0 */ {{2, 60, 30, 30}, {3, 30, 30, 30}, false, kSolid},
    /* 1 */ {{5, 30, 30, 30}, {3, 37, 30, 30}, false, kSolid},
    /* 2 */ {{7, 30, 30, 30}, {5, 40, 30, 30}, false, kSolid},
    /* 3 */ {{4, 30, 30, 30}, {2, 30, 30, 30}, false, kSolid},
    /* 4 */ {{5, 30, 30, 30}, {1, 30, 30, 30}, false, kSolid},
    /* 5 */ {{1, 30, 30, 30}, {5, 30, 30, 30}, false, kSolid},
    /* 6 */ {{3, 30, 30, 30}, {5, 30, 30, 30}, false, kSolid},
    /* 7 */ {{2, 30, 30, 30}, {4, 30, 30, 30}, false, kSolid},
    /* 8 */ {{3, 30, 0, 90}, {3, 60, 60, 0}, false, kSolid},
    /* 9 */ {{3, 30, 0, 30}, {1, 30, 30, 30}, true, DashPattern::Dash},
    /* 10 */ {{3, 30, 0, 30}, {1, 30, 30, 30}, true, DashPattern::Dot},
    /* 11 */ {{3, 30, 0, 30}, {1, 30, 30, 30}, true, DashPattern::DashDot},
    /* 12 */ {{3, 30, 0, 30}, {1, 30, 30, 30}, true, DashPattern::DashDotDot},
};

void Place(LineElement& line, const LineGeometry& geometry, int scaleWidthTwips) {
  line.Width = geometry.width;
  line.Y1 = line.Y2 = geometry.y;
  line.X1 = geometry.x1;
  line.X2 = scaleWidthTwips - geometry.rightInset;
}

}  // namespace

const Line3DStyle* FindLine3DStyle(std::int32_t style) {
  if (style < 0 || style >= static_cast<std::int32_t>(sizeof(kStyles) / sizeof(kStyles[0]))) return nullptr;
  return &kStyles[style];
}

void ApplyLine3DStyle(const Line3DStyle& style, int scaleWidthTwips, LineElement& back, LineElement& front) {
  Place(back, style.back, scaleWidthTwips);
  Place(front, style.front, scaleWidthTwips);
  if (style.setsDash) front.Dash = style.frontDash;
}

}  // namespace controls
