// Picture and caption of the Button repaint.
#include "controls/button_paint.h"
#include "controls/rounding.h"

namespace controls {

namespace {

std::uint8_t Blend(std::uint8_t from, std::uint8_t to, double t) {
  return static_cast<std::uint8_t>(RoundHalfEven(from + (to - from) * t));
}

COLORREF BlendColor(COLORREF from, COLORREF to, double t) {
  return RGB(Blend(GetRValue(from), GetRValue(to), t), Blend(GetGValue(from), GetGValue(to), t),
             Blend(GetBValue(from), GetBValue(to), t));
}

enum class GreyFormula {
  RedChannel,  // PictureGray: every channel takes the pixel's red channel
  Luminance,   // disabled: the perceived brightness (ITU-R BT.601 weights)
};

// Turns the picture rectangle grey, leaving alone the pixels equal to the
// stored BackColor value as it is stored: a system colour matches no pixel.
void GreyPictureRect(const ButtonCanvas& c, const PictureBox& box, OleColor keep, GreyFormula formula) {
  for (int y = box.y; y < box.y + box.height; ++y) {
    for (int x = box.x; x < box.x + box.width; ++x) {
      const COLORREF pixel = c.surface.Pixel(x, y);
      if (pixel == CLR_INVALID || pixel == keep) continue;
      int grey = GetRValue(pixel);
      if (formula == GreyFormula::Luminance) {
        grey = (299 * GetRValue(pixel) + 587 * GetGValue(pixel) + 114 * GetBValue(pixel) + 500) / 1000;
      }
      c.surface.SetPixel(x, y, RGB(grey, grey, grey));
    }
  }
}

void TextAt(HDC dc, const std::string& text, int x, int y, COLORREF color) {
  SetTextColor(dc, color);
  TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

}  // namespace

void PlacePicture(PictureBox& box, const ButtonProperties& p, int width, int height) {
  box.width = p.Picture ? p.Picture->Width() : 0;
  box.height = p.Picture ? p.Picture->Height() : 0;
  const double w = width, h = height, pw = box.width, ph = box.height;
  switch (p.PictureAlignment) {
    case 0:  // top
      box.x = RoundHalfEven((w - pw) / 2);
      box.y = RoundHalfEven((h - ph) / h + 4);
      break;
    case 1:  // left
      box.x = RoundHalfEven((w - pw) / w + 4);
      box.y = RoundHalfEven((h - ph) / 2);
      break;
    case 2:  // centre
      box.x = RoundHalfEven((w - pw) / 2);
      box.y = RoundHalfEven((h - ph) / 2);
      break;
    case 3:  // right
      box.x = RoundHalfEven(w - pw - 5);
      box.y = RoundHalfEven((h - ph) / 2);
      break;
    case 4:  // bottom
      box.x = RoundHalfEven((w - pw) / 2);
      box.y = RoundHalfEven(h - ph - 5);
      break;
    default:
      break;
  }
}

void DrawPicture(const ButtonCanvas& c, const ButtonProperties& p, const ButtonLook& look, const PictureBox& box) {
  // A picture larger than the face would start at a negative position: it is
  // left out rather than drawn cut.
  if (!p.Picture || box.x < 0 || box.y < 0) return;
  HDC dc = c.Dc();
  if (!look.enabled) {
    p.Picture->Draw(dc, box.x, box.y);
    GreyPictureRect(c, box, p.BackColor, GreyFormula::Luminance);
  } else if (look.pressed) {
    p.Picture->Draw(dc, box.x + 1, box.y + 1);
  } else if (look.hover) {
    p.Picture->Draw(dc, box.x, box.y);
    if (p.ButtonStyle == 5) p.Picture->Draw(dc, box.x - 1, box.y - 1);
  } else {
    p.Picture->Draw(dc, box.x, box.y);
    if (p.PictureGray) GreyPictureRect(c, box, p.BackColor, GreyFormula::RedChannel);
  }
}

COLORREF DrawCaption(const ButtonCanvas& c, const ButtonProperties& p, const ButtonLook& look, CaptionBox& box) {
  HDC dc = c.Dc();
  // An alignment outside the table leaves the caption box as it was,
  // measurements included.
  if (p.CaptionAlignment >= 0 && p.CaptionAlignment <= 4) {
    SIZE extent{0, 0};
    if (!p.Caption.empty()) GetTextExtentPoint32A(dc, p.Caption.data(), static_cast<int>(p.Caption.size()), &extent);
    box.cx = extent.cx;
    box.cy = extent.cy;
  }
  const double w = c.width, h = c.height, cx = box.cx, cy = box.cy;
  switch (p.CaptionAlignment) {
    case 0:  // top
      box.x = RoundHalfEven((w - cx) / 2);
      box.y = RoundHalfEven((h - cy) / h + 5);
      break;
    case 1:  // left
      box.x = RoundHalfEven((w - cx) / w + 5);
      box.y = RoundHalfEven((h - cy) / 2);
      break;
    case 2:  // centre
      box.x = RoundHalfEven((w - cx) / 2);
      box.y = RoundHalfEven((h - cy) / 2);
      break;
    case 3:  // right
      box.x = RoundHalfEven(w - cx - 5);
      box.y = RoundHalfEven((h - cy) / 2);
      break;
    case 4:  // bottom
      box.x = RoundHalfEven((w - cx) / 2);
      box.y = RoundHalfEven(h - cy - 5);
      break;
    default:
      break;
  }
  // So is a caption larger than the face.
  if (p.Caption.empty() || box.x < 0 || box.y < 0) return CLR_INVALID;

  SetBkMode(dc, TRANSPARENT);
  const int x = box.x, y = box.y;
  if (!look.enabled) {
    const bool flat = p.ButtonStyle == 4 || p.ButtonStyle == 6 || p.ButtonStyle == 7 || p.ButtonStyle == 8;
    if (!flat) TextAt(dc, p.Caption, x + 1, y + 1, ResolveColor(kSysHighlight3D));
    const COLORREF grey = ResolveColor(kSysButtonShadow);
    TextAt(dc, p.Caption, x, y, grey);
    return grey;  // the caption style regrades the grey caption too
  }

  const int d = look.pressed ? 1 : 0;
  const COLORREF effect = ResolveColor(p.EffectColor);
  switch (p.CaptionEffect) {
    case 1:
      TextAt(dc, p.Caption, x - 1 + d, y - 1 + d, effect);
      break;
    case 2:
      TextAt(dc, p.Caption, x + 1 + d, y + 1 + d, effect);
      break;
    case 3:
      for (int i = -1; i <= 1; ++i) {
        for (int j = -1; j <= 1; ++j) TextAt(dc, p.Caption, x + i + d, y + j + d, effect);
      }
      break;
    default:
      break;
  }

  COLORREF main;
  if (look.pressed) {
    main = ResolveColor(p.ForeColorPressed);
    TextAt(dc, p.Caption, x + 1, y + 1, main);
  } else {
    main = ResolveColor(look.hover ? p.ForeColorHover : p.ForeColor);
    TextAt(dc, p.Caption, x, y, main);
  }
  return main;
}

void ApplyCaptionStyle(const ButtonCanvas& c, const ButtonProperties& p, const ButtonLook& look,
                       const CaptionBox& box, COLORREF textColor) {
  if ((p.CaptionStyle != 1 && p.CaptionStyle != 2) || textColor == CLR_INVALID) return;
  const COLORREF from = ResolveColor(p.ForeColor);
  const COLORREF to = ResolveColor((look.hover && !look.pressed) ? p.ForeColorHover : p.ForeColorPressed);
  // Linear in x across the control's width (style 1) or in y down its height
  // (style 2). The box is widened by the one-pixel offset of a pressed caption.
  for (int y = box.y; y <= box.y + box.cy; ++y) {
    for (int x = box.x; x <= box.x + box.cx; ++x) {
      if (c.surface.Pixel(x, y) != textColor) continue;
      const double t = p.CaptionStyle == 1 ? static_cast<double>(x) / c.width : static_cast<double>(y) / c.height;
      c.surface.SetPixel(x, y, BlendColor(from, to, t));
    }
  }
}

}  // namespace controls
