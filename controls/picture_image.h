// A picture object: a bitmap or an icon, drawn at its natural size. Controls
// hold pictures by shared reference, as assigned.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/gdi_handles.h"

namespace controls {

class PictureImage;
using PicturePtr = std::shared_ptr<const PictureImage>;

class PictureImage {
 public:
  // Both take ownership of the handle; nullptr when the handle is not usable.
  static PicturePtr FromBitmap(HBITMAP bitmap);
  static PicturePtr FromIcon(HICON icon);

  ~PictureImage();
  PictureImage(const PictureImage&) = delete;
  PictureImage& operator=(const PictureImage&) = delete;

  // Size in pixels. Bitmaps and icons measure themselves in pixels already,
  // so no unit conversion is needed.
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Draw(HDC dc, int x, int y) const;

  // Icon pictures can serve as a cursor; bitmap pictures give nullptr.
  HCURSOR AsCursor() const { return icon_.get(); }

 private:
  PictureImage(HBITMAP bitmap, HICON icon, int width, int height);

  Bitmap bitmap_;
  IconHandle icon_;
  int width_;
  int height_;
};

}  // namespace controls
