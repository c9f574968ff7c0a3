// A font as the controls store it: face, size in points and style. The GDI
// font is made from it for the window's DPI.
#pragma once

#include <windows.h>

#include <string>

#include "controls/gdi_handles.h"

namespace controls {

struct FontSpec {
  std::string FaceName = "MS Sans Serif";
  double Size = 8.25;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;
  int Charset = DEFAULT_CHARSET;

  bool operator==(const FontSpec& other) const;
  bool operator!=(const FontSpec& other) const { return !(*this == other); }
};

FontHandle CreateFontFor(const FontSpec& font, UINT dpi);

// The description of an existing GDI font (WM_SETFONT), its height read at dpi.
FontSpec FontSpecFromHandle(HFONT font, UINT dpi);

}  // namespace controls
