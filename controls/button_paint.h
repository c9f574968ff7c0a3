// The steps of a Button's repaint, as functions of the control's fields and
// interaction state. The repaint itself (Button::Repaint) runs them in order:
// face background, style step, picture, caption, caption style, pen colour,
// outline and border, focus indication, drop-down mark.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/button_properties.h"
#include "controls/drawing.h"
#include "controls/offscreen_surface.h"

namespace controls {

// What the repaint draws from, besides the fields.
struct ButtonLook {
  bool pressed = false;
  bool hover = false;
  bool hasFocus = false;
  bool enabled = true;
};

// A surface of width x height pixels to draw into.
struct ButtonCanvas {
  OffscreenSurface& surface;
  int width;
  int height;
  HDC Dc() const { return surface.Dc(); }
};

// Kept between repaints: an alignment outside the table leaves them as they were.
struct CaptionBox {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};
struct PictureBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Face background by ButtonStyleColors.
void DrawFaceBackground(const ButtonCanvas& canvas, const ButtonProperties& properties, const ButtonLook& look);

// Border colour presets of ButtonStyle (stored into the fields) and the
// overlays of styles 5 to 8.
void ApplyStyleStep(const ButtonCanvas& canvas, ButtonProperties& properties, const ButtonLook& look);

void PlacePicture(PictureBox& box, const ButtonProperties& properties, int width, int height);
void DrawPicture(const ButtonCanvas& canvas, const ButtonProperties& properties, const ButtonLook& look,
                 const PictureBox& box);

// Places and draws the caption in the font selected into the canvas DC.
// Returns the colour of the text drawn last (the one the caption style
// regrades), CLR_INVALID when no text was drawn.
COLORREF DrawCaption(const ButtonCanvas& canvas, const ButtonProperties& properties, const ButtonLook& look,
                     CaptionBox& box);

// Regrades the pixels of textColor inside the caption box (CaptionStyle 1, 2).
void ApplyCaptionStyle(const ButtonCanvas& canvas, const ButtonProperties& properties, const ButtonLook& look,
                       const CaptionBox& box, COLORREF textColor);

// The pen colour of the border: BorderColorPressed, BorderColorHover or BorderColor.
OleColor BorderPenColor(const ButtonProperties& properties, const ButtonLook& look);

// The outline polygon of shapes 3 to 11, empty for the others.
std::vector<POINT> OutlinePolygon(std::int32_t shape, int width, int height);
// The window region of shapes 1 to 11; nullptr for shape 0 and other values.
HRGN CreateOutlineRegion(std::int32_t shape, int width, int height);

// Draws the border along the outline starting in the pen colour; returns the
// current pen colour afterwards (the colour of the last line drawn).
COLORREF DrawBorder(const ButtonCanvas& canvas, const ButtonProperties& properties, const ButtonLook& look,
                    COLORREF pen);
void DrawFocusIndication(const ButtonCanvas& canvas, const ButtonProperties& properties, const ButtonLook& look,
                         const CaptionBox& caption, COLORREF currentPen);
void DrawDropDownMark(const ButtonCanvas& canvas, std::int32_t dropDown);

}  // namespace controls
