// Colours as the screen shows them, and screenshots for a person to look at.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/program.h"

namespace testsupport {

inline bool NearColor(COLORREF actual, COLORREF expected, int tolerance = 1) {
  return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
         std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
         std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

inline std::string Hex(COLORREF color) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color & 0xFFFFFF));
  return text;
}

// The smallest rectangle (right and bottom included) that holds every pixel
// of `color` inside `area` of a drawing surface; right < left when none is.
inline RECT InkBox(HDC dc, RECT area, COLORREF color) {
  RECT box = {area.right, area.bottom, -1, -1};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (GetPixel(dc, x, y) != color) continue;
      box = {x < box.left ? x : box.left, y < box.top ? y : box.top, x > box.right ? x : box.right, y};
    }
  }
  return box;
}

// Writes the window as the X server shows it (the part on the screen) into
// screenshots/<name>.png in the current folder, for a person (and the help
// file) to look at, with ImageMagick's import: Wine starts Unix programs given
// by their Z: path, and hands them the arguments as they are; the started
// process does not wait for import, so this waits for the file to be written
// whole. True when it was.
inline bool Screenshot(HWND window, const std::string& name) {
  const std::string pngPath = "screenshots/" + name + ".png";
  CreateDirectoryA("screenshots", nullptr);
  Pump(300);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r = {};
  GetWindowRect(window, &r);
  r.left = std::max(r.left, 0L);
  r.top = std::max(r.top, 0L);
  DeleteFileA(pngPath.c_str());
  const Program import("Z:\\usr\\bin\\import -window root -crop " + std::to_string(r.right - r.left) + "x" +
                       std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" + std::to_string(r.top) +
                       " +repage " + pngPath);
  WIN32_FILE_ATTRIBUTE_DATA file = {};
  DWORD lastSize = 0;
  for (int waited = 0; import.Started() && waited < 30000; waited += 100) {
    Sleep(100);
    if (!GetFileAttributesExA(pngPath.c_str(), GetFileExInfoStandard, &file) || file.nFileSizeLow == 0) continue;
    if (file.nFileSizeLow == lastSize) return true;
    lastSize = file.nFileSizeLow;
  }
  return false;
}

}  // namespace testsupport
