#include "controls/picture_image.h"

namespace controls {

PictureImage::PictureImage(HBITMAP bitmap, HICON icon, int width, int height)
    : bitmap_(bitmap), icon_(icon), width_(width), height_(height) {}

PictureImage::~PictureImage() = default;

PicturePtr PictureImage::FromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof(info), &info) == 0) return nullptr;
  return PicturePtr(new PictureImage(bitmap, nullptr, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight));
}

PicturePtr PictureImage::FromIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return nullptr;
  const Bitmap maskBits(info.hbmMask), colorBits(info.hbmColor);  // GetIconInfo's copies
  BITMAP mask{};
  GetObjectA(info.hbmMask, sizeof(mask), &mask);
  const int width = mask.bmWidth;
  // A monochrome icon keeps its AND and XOR masks stacked in one bitmap.
  const int height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
  return PicturePtr(new PictureImage(nullptr, icon, width, height));
}

void PictureImage::Draw(HDC dc, int x, int y) const {
  if (icon_) {
    DrawIconEx(dc, x, y, icon_.get(), width_, height_, 0, nullptr, DI_NORMAL);
    return;
  }
  MemoryDc source(dc);
  SelectedObject selected(source.Get(), bitmap_.Get());
  BitBlt(dc, x, y, width_, height_, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace controls
