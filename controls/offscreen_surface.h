// The persistent off-screen image a control draws into: a 32-bit top-down DIB
// section selected into a memory DC. It survives between repaints, so the
// window can be refreshed from it without drawing again.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/gdi_handles.h"

namespace controls {

class OffscreenSurface {
 public:
  OffscreenSurface();
  ~OffscreenSurface();
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  // Makes the image width x height pixels; keeps it when the size is unchanged.
  bool Resize(int width, int height);

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Single pixels, as COLORREF; outside the image reads give CLR_INVALID and
  // writes do nothing. Reads and writes go to the DIB memory after GdiFlush.
  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF color);

  // Copies the image to dc at (x, y).
  void BlitTo(HDC dc, int x = 0, int y = 0) const;

 private:
  std::uint32_t* Row(int y) const;

  HDC dc_ = nullptr;
  Bitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace controls
