// Face background and style step of the Button repaint.
#include "controls/button_paint.h"

namespace controls {

namespace {

constexpr auto kHorizontal = GradientDirection::Horizontal;
constexpr auto kVertical = GradientDirection::Vertical;

// The up- and down-pointing triangles and arrows turn the overlays on their side.
bool PointsUpOrDown(std::int32_t shape) {
  return shape == kShapeTriangleUp || shape == kShapeTriangleDown || shape == kShapeArrowUp ||
         shape == kShapeArrowDown;
}

struct FaceColors {
  COLORREF first;
  COLORREF second;
};

FaceColors StateFaceColors(const ButtonProperties& p, const ButtonLook& look) {
  const OleColor second = (!look.pressed && look.hover) ? p.BackColorHover : p.BackColorPressed;
  return {ResolveColor(p.BackColor), ResolveColor(second)};
}

void StyleFiveOverlay(const ButtonCanvas& c, const ButtonProperties& p, const ButtonLook& look) {
  const double w = c.width, h = c.height;
  COLORREF bottom = ResolveColor(p.BackColor);
  COLORREF top = bottom;
  if (look.pressed) {
    bottom = 0xA57F71;
    top = ResolveColor(p.BackColorPressed);
  } else if (look.hover) {
    bottom = 0xAC9891;
    top = ResolveColor(p.BackColorHover);
  }
  FillGradient(c.Dc(), {0, h}, bottom, {w, 0}, top, kVertical);
}

void StyleSixOverlay(const ButtonCanvas& c, ButtonProperties& p, const ButtonLook& look) {
  const double w = c.width, h = c.height;
  COLORREF bottom = ResolveColor(p.BackColor);
  COLORREF top;
  if (look.pressed) {
    top = 0xE0E6E6;
  } else if (look.enabled) {
    top = ResolveColor(p.BackColorPressed);
  } else {
    bottom = top = 0xDBE7E7;
    p.BorderColor = 0x8DABAB;
  }
  FillGradient(c.Dc(), {0, h}, bottom, {w, 0}, top, kVertical);
}

// A glass-like sheen: the upper part runs from the light colour at the top
// towards the face colour, the lower part restarts at the face colour in the
// middle and brightens towards the light colour 25 pixels below the bottom.
void StyleSevenOverlay(const ButtonCanvas& c, ButtonProperties& p, const ButtonLook& look) {
  COLORREF face;
  COLORREF light;
  if (look.pressed) {
    face = ResolveColor(p.BackColorPressed);
    light = 0xF8ECD5;
  } else if (look.hover) {
    face = ResolveColor(p.BackColorHover);
    light = 0xFEFCF7;
  } else if (look.enabled) {
    face = ResolveColor(p.BackColor);
    light = 0xEFEFEF;
  } else {
    face = 0xF0F0F0;
    light = 0xF4F4F4;
    p.BorderColor = 0xB5B2AD;
  }
  const double w = c.width, h = c.height;
  if (PointsUpOrDown(p.ButtonShape)) {
    FillGradient(c.Dc(), {w / 1.5, 0}, face, {0, h}, light, kHorizontal);
    FillGradient(c.Dc(), {w / 2, h}, face, {w + 25, 0}, light, kHorizontal);
  } else {
    FillGradient(c.Dc(), {0, h / 1.5}, face, {w, 0}, light, kVertical);
    FillGradient(c.Dc(), {0, h / 2}, face, {w, h + 25}, light, kVertical);
  }
}

void StyleEightOverlay(const ButtonCanvas& c, ButtonProperties& p, const ButtonLook& look) {
  COLORREF face;
  if (look.pressed) {
    face = ResolveColor(p.BackColorPressed);
  } else if (look.hover) {
    face = ResolveColor(p.BackColorHover);
  } else if (look.enabled) {
    face = ResolveColor(p.BackColor);
  } else {
    face = 0xA4B6B7;
    p.BorderColor = 0xA4B6B7;
  }
  const COLORREF light = 0xFFFFFF;
  const double w = c.width, h = c.height;
  if (PointsUpOrDown(p.ButtonShape)) {
    FillGradient(c.Dc(), {w, 0}, face, {w / 6, h}, light, kHorizontal);
    FillGradient(c.Dc(), {w / 2, h}, face, {w + w / 3, 0}, light, kHorizontal);
  } else {
    FillGradient(c.Dc(), {0, h}, face, {w, h / 6}, light, kVertical);
    FillGradient(c.Dc(), {0, h / 2}, face, {w, h + h / 3}, light, kVertical);
  }
}

void SetBorderColors(ButtonProperties& p, OleColor normal, OleColor hover, OleColor pressed) {
  p.BorderColor = normal;
  p.BorderColorHover = hover;
  p.BorderColorPressed = pressed;
}

}  // namespace

void DrawFaceBackground(const ButtonCanvas& c, const ButtonProperties& p, const ButtonLook& look) {
  const double w = c.width, h = c.height;
  const FaceColors colors = StateFaceColors(p, look);
  HDC dc = c.Dc();
  switch (p.ButtonStyleColors) {
    case 0:  // transparent: the host's background, prepared by the repaint, shows
      break;
    case 1: {
      const OleColor state = look.pressed ? p.BackColorPressed : look.hover ? p.BackColorHover : p.BackColor;
      FillSolid(dc, RECT{0, 0, c.width, c.height}, ResolveColor(state));
      break;
    }
    case 2:
      FillGradient(dc, {0, h}, colors.first, {w, 0}, colors.second, kHorizontal);
      break;
    case 3:
      FillGradient(dc, {0, h}, colors.first, {w, 0}, colors.second, kVertical);
      break;
    case 4:
      FillGradient(dc, {w, 0}, colors.first, {0, h / 2}, colors.second, kVertical);
      FillGradient(dc, {0, h}, colors.first, {w, h / 2}, colors.second, kVertical);
      break;
    case 5:
      FillGradient(dc, {0, h / 2}, colors.first, {w, 0}, colors.second, kVertical);
      FillGradient(dc, {0, h / 2}, colors.first, {w, h}, colors.second, kVertical);
      break;
    case 6:
      FillGradient(dc, {0, 0}, colors.first, {w / 2, h}, colors.second, kHorizontal);
      FillGradient(dc, {w, h}, colors.first, {w / 2, 0}, colors.second, kHorizontal);
      break;
    case 7:
      FillGradient(dc, {w / 2, 0}, colors.first, {0, h}, colors.second, kHorizontal);
      FillGradient(dc, {w / 2, h}, colors.first, {w, 0}, colors.second, kHorizontal);
      break;
    default:
      break;
  }
}

void ApplyStyleStep(const ButtonCanvas& c, ButtonProperties& p, const ButtonLook& look) {
  switch (p.ButtonStyle) {
    case 1:
    case 2:
      SetBorderColors(p, kSysDarkShadow3D, kSysDarkShadow3D, kSysHighlight3D);
      break;
    case 3:
      SetBorderColors(p, p.BackColor, kSysDarkShadow3D, kSysHighlight3D);
      break;
    case 4:
      SetBorderColors(p, kSysButtonShadow, kSysButtonShadow, kSysButtonShadow);
      break;
    case 5:
      SetBorderColors(p, kSysButtonFace, 0, 0);
      break;
    case 6:
      SetBorderColors(p, 0, 0, 0);
      break;
    case 7:
      SetBorderColors(p, 0x8F8F8E, 0xB17F3C, 0x5C411D);
      break;
    case 8:
      SetBorderColors(p, p.BackColor, p.BackColorHover, p.BackColorPressed);
      break;
    default:
      break;
  }
  if (p.ButtonStyleColors == 0) return;
  switch (p.ButtonStyle) {
    case 5: StyleFiveOverlay(c, p, look); break;
    case 6: StyleSixOverlay(c, p, look); break;
    case 7: StyleSevenOverlay(c, p, look); break;
    case 8: StyleEightOverlay(c, p, look); break;
    default: break;
  }
}

OleColor BorderPenColor(const ButtonProperties& p, const ButtonLook& look) {
  if (look.pressed) return p.BorderColorPressed;
  if (look.hover) return p.BorderColorHover;
  return p.BorderColor;
}

}  // namespace controls
