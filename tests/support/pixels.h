// Colours as the screen shows them, and screenshots for a person to look at.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

// The pixel of a window's client area as the screen shows it.
inline COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color & 0xFFFFFF;
}

// Writes the window as the X server shows it into `pngPath` (relative to the
// current folder), with ImageMagick's import: Wine starts Unix programs given
// by their Z: path, and hands them the arguments as they are. True when
// import ran and exited with 0.
inline bool Screenshot(HWND window, const std::string& pngPath) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r = {};
  GetWindowRect(window, &r);
  std::string command = "Z:\\usr\\bin\\import -window root -crop " + std::to_string(r.right - r.left) + "x" +
                        std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" + std::to_string(r.top) +
                        " +repage " + pngPath;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0;
}

}  // namespace testsupport
