#include "controls/font_spec.h"

#include <cstdlib>
#include <cstring>

#include "controls/rounding.h"

namespace controls {

bool FontSpec::operator==(const FontSpec& other) const {
  return FaceName == other.FaceName && Size == other.Size && Bold == other.Bold && Italic == other.Italic &&
         Underline == other.Underline && Strikethrough == other.Strikethrough && Charset == other.Charset;
}

FontHandle CreateFontFor(const FontSpec& spec, UINT dpi) {
  LOGFONTA logFont{};
  logFont.lfHeight = -RoundHalfEven(spec.Size * dpi / 72.0);
  logFont.lfWeight = spec.Bold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = spec.Italic ? TRUE : FALSE;
  logFont.lfUnderline = spec.Underline ? TRUE : FALSE;
  logFont.lfStrikeOut = spec.Strikethrough ? TRUE : FALSE;
  logFont.lfCharSet = static_cast<BYTE>(spec.Charset);
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  strncpy(logFont.lfFaceName, spec.FaceName.c_str(), LF_FACESIZE - 1);
  return FontHandle(CreateFontIndirectA(&logFont));
}

FontSpec FontSpecFromHandle(HFONT font, UINT dpi) {
  FontSpec spec;
  LOGFONTA logFont{};
  if (!font || GetObjectA(font, sizeof(logFont), &logFont) == 0) return spec;
  spec.FaceName = logFont.lfFaceName;
  // Point sizes are kept to the quarter point, as font pickers offer them.
  const double points = std::abs(logFont.lfHeight) * 72.0 / dpi;
  spec.Size = RoundHalfEven(points * 4.0) / 4.0;
  spec.Bold = logFont.lfWeight >= FW_BOLD;
  spec.Italic = logFont.lfItalic != 0;
  spec.Underline = logFont.lfUnderline != 0;
  spec.Strikethrough = logFont.lfStrikeOut != 0;
  spec.Charset = logFont.lfCharSet;
  return spec;
}

}  // namespace controls
