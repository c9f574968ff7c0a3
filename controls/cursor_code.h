// The cursor codes a host sets as a control's MousePointer.
#pragma once

#include <windows.h>

#include <cstdint>

namespace controls {

enum CursorCode : std::int16_t {
  kCursorDefault = 0,
  kCursorArrow = 1,
  kCursorCross = 2,
  kCursorIBeam = 3,
  kCursorIcon = 4,
  kCursorSize = 5,
  kCursorSizeNESW = 6,
  kCursorSizeNS = 7,
  kCursorSizeNWSE = 8,
  kCursorSizeWE = 9,
  kCursorUpArrow = 10,
  kCursorHourglass = 11,
  kCursorNoDrop = 12,
  kCursorArrowHourglass = 13,
  kCursorArrowQuestion = 14,
  kCursorSizeAll = 15,
  kCursorCustom = 99,  // the control's MouseIcon
};

// The cursor for a code; nullptr for the default and for unknown codes (the
// window class cursor applies then). customCursor serves kCursorCustom.
HCURSOR CursorForCode(std::int16_t code, HCURSOR customCursor);

}  // namespace controls
