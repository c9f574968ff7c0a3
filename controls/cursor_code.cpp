#include "controls/cursor_code.h"

namespace controls {

HCURSOR CursorForCode(std::int16_t code, HCURSOR customCursor) {
  LPCSTR shape = nullptr;
  switch (code) {
    case kCursorArrow: shape = IDC_ARROW; break;
    case kCursorCross: shape = IDC_CROSS; break;
    case kCursorIBeam: shape = IDC_IBEAM; break;
    case kCursorIcon: shape = IDC_ICON; break;
    case kCursorSize: shape = IDC_SIZEALL; break;
    case kCursorSizeNESW: shape = IDC_SIZENESW; break;
    case kCursorSizeNS: shape = IDC_SIZENS; break;
    case kCursorSizeNWSE: shape = IDC_SIZENWSE; break;
    case kCursorSizeWE: shape = IDC_SIZEWE; break;
    case kCursorUpArrow: shape = IDC_UPARROW; break;
    case kCursorHourglass: shape = IDC_WAIT; break;
    case kCursorNoDrop: shape = IDC_NO; break;
    case kCursorArrowHourglass: shape = IDC_APPSTARTING; break;
    case kCursorArrowQuestion: shape = IDC_HELP; break;
    case kCursorSizeAll: shape = IDC_SIZEALL; break;
    case kCursorCustom: return customCursor;
    default: return nullptr;
  }
  return LoadCursorA(nullptr, shape);
}

}  // namespace controls
