#include "controls/ole_color.h"

namespace controls {

COLORREF ResolveColor(OleColor color) {
  if (color & kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0x00FFFFFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace controls
