// The stored state of a Button: every property field with its default, and
// the interaction state that is never stored.
#pragma once

#include <cstdint>
#include <string>

#include "controls/ole_color.h"
#include "controls/picture_image.h"

namespace controls {

// ButtonShape values.
enum : std::int32_t {
  kShapeRectangle = 0,
  kShapeRoundRect = 1,
  kShapeEllipse = 2,
  kShapeDiamond = 3,
  kShapeTriangleUp = 4,
  kShapeTriangleLeft = 5,
  kShapeTriangleRight = 6,
  kShapeTriangleDown = 7,
  kShapeArrowUp = 8,
  kShapeArrowLeft = 9,
  kShapeArrowRight = 10,
  kShapeArrowDown = 11,
};

// ButtonType 1 keeps Value; every other value is an ordinary push button.
constexpr std::int32_t kButtonTypeToggle = 1;

struct ButtonProperties {
  std::int32_t ButtonShape = kShapeRectangle;
  std::int32_t ButtonStyle = 1;
  std::int32_t ButtonStyleColors = 1;
  std::int32_t ButtonTheme = 0;
  std::int32_t ButtonType = 0;
  std::int32_t CaptionAlignment = 2;
  std::int32_t CaptionEffect = 0;
  std::int32_t CaptionStyle = 0;
  std::int32_t DropDown = 0;
  std::int32_t PictureAlignment = 2;
  OleColor BackColor = kSysButtonFace;
  OleColor BackColorPressed = kSysButtonFace;
  OleColor BackColorHover = kSysButtonFace;
  OleColor BorderColor = 0;
  OleColor BorderColorPressed = 0;
  OleColor BorderColorHover = 0;
  OleColor ForeColor = 0;
  OleColor ForeColorPressed = 0x0000FF;
  OleColor ForeColorHover = 0xFF0000;
  OleColor EffectColor = 0xFFFFFF;
  std::string Caption;
  bool FocusRect = true;
  bool Value = false;
  bool HandPointer = false;
  PicturePtr Picture;
  bool PictureGray = false;
};

// Interaction state: starts false, never stored.
struct ButtonState {
  bool HasFocus = false;
  bool Pressed = false;
  bool Hover = false;
};

}  // namespace controls
