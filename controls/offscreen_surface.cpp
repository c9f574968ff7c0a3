#include "controls/offscreen_surface.h"

namespace controls {

namespace {

// DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
std::uint32_t ToDibPixel(COLORREF color) {
  return (static_cast<std::uint32_t>(GetRValue(color)) << 16) | (static_cast<std::uint32_t>(GetGValue(color)) << 8) |
         GetBValue(color);
}

COLORREF FromDibPixel(std::uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

OffscreenSurface::OffscreenSurface() : dc_(CreateCompatibleDC(nullptr)) {}

OffscreenSurface::~OffscreenSurface() {
  if (dc_) {
    if (originalBitmap_) SelectObject(dc_, originalBitmap_);
    DeleteDC(dc_);
  }
}

bool OffscreenSurface::Resize(int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  if (bitmap_ && width == width_ && height == height_) return true;
  if (!dc_) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return false;

  HGDIOBJ previous = SelectObject(dc_, bitmap.Get());
  if (!originalBitmap_) originalBitmap_ = previous;
  bitmap_ = std::move(bitmap);
  bits_ = bits;
  width_ = width;
  height_ = height;
  return true;
}

std::uint32_t* OffscreenSurface::Row(int y) const {
  return static_cast<std::uint32_t*>(bits_) + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
}

COLORREF OffscreenSurface::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  return FromDibPixel(Row(y)[x]);
}

void OffscreenSurface::SetPixel(int x, int y, COLORREF color) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  GdiFlush();
  Row(y)[x] = ToDibPixel(color);
}

void OffscreenSurface::BlitTo(HDC dc, int x, int y) const {
  if (bits_) BitBlt(dc, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace controls
