// Button: the owner-drawn push button of the main window, a child window of
// its own class ("HivesweepButton").
//
// A host creates one, initialises it as a new control or loads it from its
// stored layout, places it and connects the events it handles:
//
//   controls::Button start;
//   start.Create(parentWindow, kStartId, {"cmdStart", hostFont});
//   start.ReadProperties(layoutBag);            // or start.InitProperties();
//   start.Move(2760, 120, 1575, 320);           // twips
//   start.events.Click = [this] { cmdStart_Click(); };
//   start.Enabled(false);
//   start.Caption("Start Search");
//
// Every property setter stores the value, tells the host through
// events.PropertyChanged, and repaints the whole control into its off-screen
// image. A press takes the focus; releasing Enter or Space pressed on the
// focused control clicks it. Like a standard push button, the control also answers BM_CLICK
// (BM_GETCHECK, BM_SETCHECK and BM_GETSTATE as well) and sends its parent
// WM_COMMAND with BN_CLICKED after each Click. Screen readers see it as a push
// button named by its caption (controls/accessible.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controls/accessible.h"
#include "controls/button_events.h"
#include "controls/button_paint.h"
#include "controls/button_properties.h"
#include "controls/control_site.h"
#include "controls/font_style.h"
#include "controls/gdi_handles.h"
#include "controls/offscreen_surface.h"
#include "controls/property_bag.h"
#include "controls/window_class.h"

namespace controls {

class Button final : private WindowHandler, private AccessibleSource {
 public:
  static constexpr const char* kClassName = "HivesweepButton";

  ButtonEvents events;

  Button();
  ~Button();
  Button(const Button&) = delete;
  Button& operator=(const Button&) = delete;

  // Creates the window as a visible child of parent; false when that fails.
  bool Create(HWND parent, int controlId, const ControlSite& site = ControlSite{});

  // A newly placed control: 1200 x 500 twips, the default fields, the site's
  // name as caption, the site's font with face "Tahoma", then one repaint.
  // Does not tell the host of any change.
  void InitProperties();
  // Loads the stored properties, each key with its default for a missing key.
  // Colours are taken as stored (no style or theme presets); Font and
  // MouseIcon are loaded through their setters. Throws what a
  // failing property throws (std::overflow_error for a MousePointer outside
  // -32768..32767, PropertyTypeError for a value of the wrong type); the
  // properties before the failing one are loaded.
  void ReadProperties(const PropertyBag& bag);
  // Writes every stored property with its default, in the stored order.
  void WriteProperties(PropertyBag& bag) const;

  // Places the window, in twips of the parent's client area.
  void Move(int leftTwips, int topTwips, int widthTwips, int heightTwips);

  // The DPI the control draws its font at and places itself by: the site's,
  // or the window's own when the site gives none. A host that changes DPI
  // sets the new one, then moves the control again.
  UINT Dpi() const { return dpi_; }
  void Dpi(UINT dpi);

  // Properties: getter and setter of the same name.
  std::int32_t ButtonShape() const { return properties_.ButtonShape; }
  void ButtonShape(std::int32_t value);
  std::int32_t ButtonStyle() const { return properties_.ButtonStyle; }
  void ButtonStyle(std::int32_t value);  // applies the style's colour preset
  std::int32_t ButtonStyleColors() const { return properties_.ButtonStyleColors; }
  void ButtonStyleColors(std::int32_t value);
  std::int32_t ButtonTheme() const { return properties_.ButtonTheme; }
  void ButtonTheme(std::int32_t value);  // 1 to 8 apply the theme's colours
  std::int32_t ButtonType() const { return properties_.ButtonType; }
  void ButtonType(std::int32_t value);
  std::int32_t CaptionAlignment() const { return properties_.CaptionAlignment; }
  void CaptionAlignment(std::int32_t value);
  std::int32_t CaptionEffect() const { return properties_.CaptionEffect; }
  void CaptionEffect(std::int32_t value);
  std::int32_t CaptionStyle() const { return properties_.CaptionStyle; }
  void CaptionStyle(std::int32_t value);
  std::int32_t DropDown() const { return properties_.DropDown; }
  void DropDown(std::int32_t value);
  std::int32_t PictureAlignment() const { return properties_.PictureAlignment; }
  void PictureAlignment(std::int32_t value);

  OleColor BackColor() const { return properties_.BackColor; }
  void BackColor(OleColor value);
  OleColor BackColorPressed() const { return properties_.BackColorPressed; }
  void BackColorPressed(OleColor value);
  OleColor BackColorHover() const { return properties_.BackColorHover; }
  void BackColorHover(OleColor value);
  // The style step of every repaint rewrites the border colours of styles 1 to 8.
  OleColor BorderColor() const { return properties_.BorderColor; }
  void BorderColor(OleColor value);
  OleColor BorderColorPressed() const { return properties_.BorderColorPressed; }
  void BorderColorPressed(OleColor value);
  OleColor BorderColorHover() const { return properties_.BorderColorHover; }
  void BorderColorHover(OleColor value);
  OleColor ForeColor() const { return properties_.ForeColor; }
  void ForeColor(OleColor value);
  OleColor ForeColorPressed() const { return properties_.ForeColorPressed; }
  void ForeColorPressed(OleColor value);
  OleColor ForeColorHover() const { return properties_.ForeColorHover; }
  void ForeColorHover(OleColor value);
  OleColor EffectColor() const { return properties_.EffectColor; }
  void EffectColor(OleColor value);

  const std::string& Caption() const { return properties_.Caption; }
  void Caption(const std::string& value);
  bool FocusRect() const { return properties_.FocusRect; }
  void FocusRect(bool value);
  bool Value() const { return properties_.Value; }
  void Value(bool value);
  bool HandPointer() const { return properties_.HandPointer; }
  void HandPointer(bool value);
  const PicturePtr& Picture() const { return properties_.Picture; }
  void Picture(PicturePtr value);
  bool PictureGray() const { return properties_.PictureGray; }
  void PictureGray(bool value);

  // Read and written through the window.
  bool Enabled() const;
  void Enabled(bool value);
  const FontSpec& Font() const { return font_; }
  void Font(const FontSpec& value);
  // A cursor code (controls/cursor_code.h), held in 16 bits: a value outside
  // -32768..32767 throws std::overflow_error and changes nothing.
  std::int32_t MousePointer() const { return mousePointer_; }
  void MousePointer(std::int32_t value);
  const PicturePtr& MouseIcon() const { return mouseIcon_; }
  void MouseIcon(PicturePtr value);

  // Read-only members and methods.
  HDC hDC() const { return surface_.Dc(); }
  HWND hwnd() const { return hwnd_; }
  void Refresh();  // copies the drawn image to the screen
  void overr();    // back to the resting look: Hover and Pressed false, repaint
  void UserControl_GotFocus();  // the focus-received reaction

  bool HasFocus() const { return state_.HasFocus; }
  bool Pressed() const { return state_.Pressed; }
  bool Hover() const { return state_.Hover; }
  HRGN ShapeRegion() const { return shapeRegion_; }
  const ButtonProperties& Properties() const { return properties_; }
  const OffscreenSurface& Surface() const { return surface_; }
  // Repaints so far; tells a host or a test whether a reaction redrew.
  std::uint64_t RepaintCount() const { return repaintCount_; }

  // Run mode (true) or design mode; in design mode pointer movement is ignored.
  bool UserMode() const { return site_.userMode; }
  void UserMode(bool value) { site_.userMode = value; }

 private:
  void Attach(HWND window) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Detach() override;

  // AccessibleSource.
  HWND AccessibleWindow() const override { return hwnd_; }
  AccessibleDescription Describe(long element) const override;
  void DoDefaultAction(long element) override;

  // Property plumbing (button.cpp).
  template <typename T>
  void Assign(T ButtonProperties::*field, T value, const char* name);
  void NotifyChanged(const char* name);
  void ApplyFont(const FontSpec& font);
  void ApplyMousePointer(std::int64_t value);
  void SetCaptionText(const std::string& text);

  // Input (button_input.cpp). The framework part turns window messages into
  // the notifications below; each reaction updates the state, repaints and
  // raises its event.
  LRESULT OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void OnClick();
  void OnDblClick();
  void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void OnKeyDown(std::int16_t keyCode, std::int16_t shift);
  void OnKeyPress(std::int16_t keyAscii);
  void OnKeyUp(std::int16_t keyCode, std::int16_t shift);
  void OnLostFocus();
  void ClickFromMessage();
  bool InsideVisibleArea(POINT point) const;
  // A click is armed by a left press on the control and ends with the next
  // left release anywhere: a thread mouse hook watches for a release (or a
  // new press) that goes to another window once the pointer has left.
  void ArmClick();
  void DisarmClick();
  static LRESULT CALLBACK WatchForRelease(int code, WPARAM message, LPARAM info);
  // Runs the handler (a copy, so that a handler may replace or destroy it);
  // false when the control was destroyed meanwhile.
  template <typename Handler, typename... Args>
  bool Raise(const Handler& handler, Args&... args);

  // Repaint (button_paint.cpp).
  void Repaint();
  void PrepareSurface(int width, int height);
  void ApplyOutline(int width, int height);
  void UpdateHandCursor();
  void Present();

  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  ControlSite site_;
  ButtonProperties properties_;
  ButtonState state_;
  FontSpec font_;
  FontHandle fontHandle_;
  std::int16_t mousePointer_ = 0;
  PicturePtr mouseIcon_;

  OffscreenSurface surface_;
  CaptionBox captionBox_;
  PictureBox pictureBox_;
  HRGN shapeRegion_ = nullptr;  // owned by the window once set
  bool regionApplied_ = false;
  bool handCursor_ = false;

  bool repainting_ = false;
  bool initialising_ = false;
  bool inEnabledSetter_ = false;
  bool clickArmed_ = false;     // left press on the control; its release inside clicks
  std::int16_t keyArmed_ = 0;   // Enter or Space pressed on this control
  std::uint64_t repaintCount_ = 0;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  AccessibleConnection accessible_{*this};
};

template <typename Handler, typename... Args>
bool Button::Raise(const Handler& handler, Args&... args) {
  if (!handler) return true;
  const std::weak_ptr<int> alive = alive_;
  Handler copy = handler;
  copy(args...);
  return !alive.expired();
}

}  // namespace controls
