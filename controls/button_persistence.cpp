// Button: initialisation of a new control, and the stored properties.
#include "controls/button.h"
#include "controls/dpi.h"

namespace controls {

namespace {

// The stored keys, in the order they are written and read.
constexpr const char* kButtonShape = "ButtonShape";
constexpr const char* kButtonStyle = "ButtonStyle";
constexpr const char* kButtonStyleColors = "ButtonStyleColors";
constexpr const char* kButtonTheme = "ButtonTheme";
constexpr const char* kButtonType = "ButtonType";
constexpr const char* kCaptionAlignment = "CaptionAlignment";
constexpr const char* kCaptionEffect = "CaptionEffect";
constexpr const char* kCaptionStyle = "CaptionStyle";
constexpr const char* kDropDown = "DropDown";
constexpr const char* kPictureAlignment = "PictureAlignment";
constexpr const char* kBackColor = "BackColor";
constexpr const char* kBackColorPressed = "BackColorPressed";
constexpr const char* kBackColorHover = "BackColorHover";
constexpr const char* kBorderColor = "BorderColor";
constexpr const char* kBorderColorPressed = "BorderColorPressed";
constexpr const char* kBorderColorHover = "BorderColorHover";
constexpr const char* kForeColor = "ForeColor";
constexpr const char* kForeColorPressed = "ForeColorPressed";
constexpr const char* kForeColorHover = "ForeColorHover";
constexpr const char* kEffectColor = "EffectColor";
constexpr const char* kCaption = "Caption";
constexpr const char* kFocusRect = "FocusRect";
constexpr const char* kValue = "Value";
constexpr const char* kHandPointer = "HandPointer";
constexpr const char* kPicture = "Picture";
constexpr const char* kPictureGray = "PictureGray";
constexpr const char* kEnabled = "Enabled";
constexpr const char* kFont = "Font";
constexpr const char* kMouseIcon = "MouseIcon";
constexpr const char* kMousePointer = "MousePointer";

constexpr OleColor kDefaultFace = kSysButtonFace;
constexpr OleColor kDefaultForePressed = 0x0000FF;
constexpr OleColor kDefaultForeHover = 0xFF0000;
constexpr OleColor kDefaultEffect = 0xFFFFFF;

PropertyValue Number(std::int64_t value) { return PropertyValue(value); }
PropertyValue Flag(bool value) { return PropertyValue(value); }

}  // namespace

void Button::InitProperties() {
  if (!hwnd_) return;
  // Fields are set directly: a new control tells the host of no change.
  initialising_ = true;
  SetWindowPos(hwnd_, nullptr, 0, 0, TwipsToPixels(1200, dpi_), TwipsToPixels(500, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ButtonProperties& p = properties_;
  p.ButtonStyle = 1;
  p.ButtonStyleColors = 1;
  p.ButtonShape = kShapeRectangle;
  p.CaptionAlignment = 2;
  p.PictureAlignment = 2;
  p.ButtonTheme = 0;
  p.BackColor = p.BackColorPressed = p.BackColorHover = kDefaultFace;
  p.ButtonType = 0;
  p.CaptionStyle = 0;
  p.CaptionEffect = 0;
  p.DropDown = 0;
  p.ForeColor = 0;
  p.ForeColorPressed = kDefaultForePressed;
  p.ForeColorHover = kDefaultForeHover;
  p.EffectColor = kDefaultEffect;
  SetCaptionText(site_.name);
  p.FocusRect = true;
  p.Value = false;
  p.HandPointer = false;
  p.Picture = nullptr;
  p.PictureGray = false;
  EnableWindow(hwnd_, TRUE);
  FontSpec font = site_.font;
  font.FaceName = "Tahoma";
  ApplyFont(font);
  initialising_ = false;
  Repaint();
}

void Button::ReadProperties(const PropertyBag& bag) {
  // Straight into the fields: stored colours are taken as stored, with no
  // style or theme preset.
  ButtonProperties& p = properties_;
  p.ButtonShape = bag.ReadInt32(kButtonShape, kShapeRectangle);
  p.ButtonStyle = bag.ReadInt32(kButtonStyle, 1);
  p.ButtonStyleColors = bag.ReadInt32(kButtonStyleColors, 1);
  p.ButtonTheme = bag.ReadInt32(kButtonTheme, 0);
  p.ButtonType = bag.ReadInt32(kButtonType, 0);
  p.CaptionAlignment = bag.ReadInt32(kCaptionAlignment, 2);
  p.CaptionEffect = bag.ReadInt32(kCaptionEffect, 0);
  p.CaptionStyle = bag.ReadInt32(kCaptionStyle, 0);
  p.DropDown = bag.ReadInt32(kDropDown, 0);
  p.PictureAlignment = bag.ReadInt32(kPictureAlignment, 2);
  p.BackColor = bag.ReadColor(kBackColor, kDefaultFace);
  p.BackColorPressed = bag.ReadColor(kBackColorPressed, kDefaultFace);
  p.BackColorHover = bag.ReadColor(kBackColorHover, kDefaultFace);
  p.BorderColor = bag.ReadColor(kBorderColor, 0);
  p.BorderColorPressed = bag.ReadColor(kBorderColorPressed, 0);
  p.BorderColorHover = bag.ReadColor(kBorderColorHover, 0);
  p.ForeColor = bag.ReadColor(kForeColor, 0);
  p.ForeColorPressed = bag.ReadColor(kForeColorPressed, kDefaultForePressed);
  p.ForeColorHover = bag.ReadColor(kForeColorHover, kDefaultForeHover);
  p.EffectColor = bag.ReadColor(kEffectColor, kDefaultEffect);
  // Without a stored caption the control shows its instance name.
  SetCaptionText(bag.ReadText(kCaption, site_.name));
  p.FocusRect = bag.ReadBool(kFocusRect, true);
  p.Value = bag.ReadBool(kValue, false);
  p.HandPointer = bag.ReadBool(kHandPointer, false);
  p.Picture = bag.ReadPicture(kPicture, nullptr);
  p.PictureGray = bag.ReadBool(kPictureGray, false);
  if (hwnd_) {
    inEnabledSetter_ = true;
    EnableWindow(hwnd_, bag.ReadBool(kEnabled, true) ? TRUE : FALSE);
    inEnabledSetter_ = false;
  }
  // Font and MouseIcon go through their setters: the host hears of both.
  const std::weak_ptr<int> alive = alive_;
  Font(bag.ReadFont(kFont, site_.font));
  if (alive.expired()) return;
  MouseIcon(bag.ReadPicture(kMouseIcon, nullptr));
  if (alive.expired()) return;
  ApplyMousePointer(bag.ReadInteger(kMousePointer, 0));
}

void Button::WriteProperties(PropertyBag& bag) const {
  const ButtonProperties& p = properties_;
  bag.Write(kButtonShape, Number(p.ButtonShape), Number(kShapeRectangle));
  bag.Write(kButtonStyle, Number(p.ButtonStyle), Number(1));
  bag.Write(kButtonStyleColors, Number(p.ButtonStyleColors), Number(1));
  bag.Write(kButtonTheme, Number(p.ButtonTheme), Number(0));
  bag.Write(kButtonType, Number(p.ButtonType), Number(0));
  bag.Write(kCaptionAlignment, Number(p.CaptionAlignment), Number(2));
  bag.Write(kCaptionEffect, Number(p.CaptionEffect), Number(0));
  bag.Write(kCaptionStyle, Number(p.CaptionStyle), Number(0));
  bag.Write(kDropDown, Number(p.DropDown), Number(0));
  bag.Write(kPictureAlignment, Number(p.PictureAlignment), Number(2));
  bag.Write(kBackColor, Number(p.BackColor), Number(kDefaultFace));
  bag.Write(kBackColorPressed, Number(p.BackColorPressed), Number(kDefaultFace));
  bag.Write(kBackColorHover, Number(p.BackColorHover), Number(kDefaultFace));
  bag.Write(kBorderColor, Number(p.BorderColor), Number(0));
  bag.Write(kBorderColorPressed, Number(p.BorderColorPressed), Number(0));
  bag.Write(kBorderColorHover, Number(p.BorderColorHover), Number(0));
  bag.Write(kForeColor, Number(p.ForeColor), Number(0));
  bag.Write(kForeColorPressed, Number(p.ForeColorPressed), Number(kDefaultForePressed));
  bag.Write(kForeColorHover, Number(p.ForeColorHover), Number(kDefaultForeHover));
  bag.Write(kEffectColor, Number(p.EffectColor), Number(kDefaultEffect));
  bag.Write(kCaption, PropertyValue(p.Caption), PropertyValue(site_.name));
  bag.Write(kFocusRect, Flag(p.FocusRect), Flag(true));
  bag.Write(kValue, Flag(p.Value), Flag(false));
  bag.Write(kHandPointer, Flag(p.HandPointer), Flag(false));
  bag.Write(kPicture, PropertyValue(p.Picture), PropertyValue(PicturePtr()));
  bag.Write(kPictureGray, Flag(p.PictureGray), Flag(false));
  bag.Write(kEnabled, Flag(Enabled()), Flag(true));
  bag.Write(kFont, PropertyValue(font_), PropertyValue(site_.font));
  bag.Write(kMouseIcon, PropertyValue(mouseIcon_), PropertyValue(PicturePtr()));
  bag.Write(kMousePointer, Number(mousePointer_), Number(0));
}

}  // namespace controls
