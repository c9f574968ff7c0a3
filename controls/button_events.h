// The events a Button raises to its host, as C++ callbacks. Parameters passed
// by reference may be changed by the handler. Every event is raised after the
// control has updated its state and repainted, so a handler sees the new look.
//
// The six drag-and-drop events stand for the window's own OLE drag-and-drop
// notifications, arguments unchanged. The control neither registers its
// window as a drop target nor starts drags, so nothing in it raises them.
//
// A host connects the events it handles, for example
//   button.events.Click = [this] { cmdStart_Click(); };
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <functional>

namespace controls {

// Mouse buttons and shift keys as the mouse and key events report them.
constexpr std::int16_t kMouseLeft = 1;
constexpr std::int16_t kMouseRight = 2;
constexpr std::int16_t kMouseMiddle = 4;
constexpr std::int16_t kShiftKey = 1;
constexpr std::int16_t kCtrlKey = 2;
constexpr std::int16_t kAltKey = 4;

struct ButtonEvents {
  using KeyHandler = std::function<void(std::int16_t& keyCode, std::int16_t& shift)>;
  using MouseHandler = std::function<void(std::int16_t& button, std::int16_t& shift, float& x, float& y)>;

  // In the order of their identifiers.
  std::function<void()> Click;
  std::function<void()> DblClick;
  KeyHandler KeyDown;
  std::function<void(std::int16_t& keyAscii)> KeyPress;
  KeyHandler KeyUp;
  MouseHandler MouseDown;
  MouseHandler MouseMove;
  MouseHandler MouseUp;
  std::function<void(std::int32_t& effect)> OLECompleteDrag;
  std::function<void(IDataObject* data, std::int32_t& effect, std::int16_t& button, std::int16_t& shift, float& x,
                     float& y)>
      OLEDragDrop;
  std::function<void(IDataObject* data, std::int32_t& effect, std::int16_t& button, std::int16_t& shift, float& x,
                     float& y, std::int16_t& state)>
      OLEDragOver;
  std::function<void(std::int32_t& effect, bool& defaultCursors)> OLEGiveFeedback;
  std::function<void(IDataObject* data, std::int16_t& dataFormat)> OLESetData;
  std::function<void(IDataObject* data, std::int32_t& allowedEffects)> OLEStartDrag;

  // Not an event of the control's own: tells the host that the named property
  // was assigned, so that its stored layout counts as modified.
  std::function<void(const char* propertyName)> PropertyChanged;
};

}  // namespace controls
