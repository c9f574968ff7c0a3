// Twips (1/1440 inch) to pixels and back, with the window's real DPI.
#pragma once

#include <windows.h>

namespace controls {

constexpr double kTwipsPerInch = 1440.0;

// The DPI the window is drawn at (96 when the system cannot say).
UINT WindowDpi(HWND window);

int TwipsToPixels(double twips, UINT dpi);
int PixelsToTwips(int pixels, UINT dpi);

}  // namespace controls
