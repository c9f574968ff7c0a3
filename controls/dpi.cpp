#include "controls/dpi.h"

#include "controls/rounding.h"

namespace controls {

UINT WindowDpi(HWND window) {
  // Looked up at run time so that the controls still load on systems older
  // than per-monitor DPI awareness; there the screen DC tells the system DPI.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
    const auto getDpi =
        reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    if (getDpi && window) {
      if (const UINT dpi = getDpi(window)) return dpi;
    }
  }
  UINT dpi = 96;
  if (HDC screen = GetDC(nullptr)) {
    const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
    if (logPixels > 0) dpi = static_cast<UINT>(logPixels);
    ReleaseDC(nullptr, screen);
  }
  return dpi;
}

int TwipsToPixels(double twips, UINT dpi) { return RoundHalfEven(twips * dpi / kTwipsPerInch); }

int PixelsToTwips(int pixels, UINT dpi) { return RoundHalfEven(pixels * kTwipsPerInch / dpi); }

}  // namespace controls
