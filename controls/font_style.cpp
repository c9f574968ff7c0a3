#include "controls/font_style.h"

#include <cstdlib>
#include <cstring>

#include "controls/rounding.h"

namespace controls {

bool FontSpec::operator==(const FontSpec& other) const {
  return FaceName == other.FaceName && Size == other.Size && Bold == other.Bold && Italic == other.Italic &&
         Underline == other.Underline && Strikethrough == other.Strikethrough && Charset == other.Charset;
}

FontHandle CreateFontFor(const FontSpec& font, UINT dpi) {
  LOGFONTA logFont{};
  logFont.lfHeight = -RoundHalfEven(font.Size * dpi / 72.0);
  logFont.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = font.Italic ? TRUE : FALSE;
  logFont.lfUnderline = font.Underline ? TRUE : FALSE;
  logFont.lfStrikeOut = font.Strikethrough ? TRUE : FALSE;
  logFont.lfCharSet = static_cast<BYTE>(font.Charset);
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  strncpy(logFont.lfFaceName, font.FaceName.c_str(), LF_FACESIZE - 1);
  return FontHandle(CreateFontIndirectA(&logFont));
}

FontSpec FontSpecFromHandle(HFONT handle, UINT dpi) {
  FontSpec font;
  LOGFONTA logFont{};
  if (!handle || GetObjectA(handle, sizeof(logFont), &logFont) == 0) return font;
  font.FaceName = logFont.lfFaceName;
  // Point sizes are kept to the quarter point, as font pickers offer them.
  const double points = std::abs(logFont.lfHeight) * 72.0 / dpi;
  font.Size = RoundHalfEven(points * 4.0) / 4.0;
  font.Bold = logFont.lfWeight >= FW_BOLD;
  font.Italic = logFont.lfItalic != 0;
  font.Underline = logFont.lfUnderline != 0;
  font.Strikethrough = logFont.lfStrikeOut != 0;
  font.Charset = logFont.lfCharSet;
  return font;
}

}  // namespace controls
