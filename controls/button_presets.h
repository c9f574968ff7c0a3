// The colour presets that assigning ButtonStyle or ButtonTheme applies.
// Loading stored properties does not apply them.
#pragma once

#include <cstdint>

#include "controls/button_properties.h"

namespace controls {

struct ButtonStylePreset {
  std::int32_t style;
  OleColor backColor;
  OleColor backColorHover;
  OleColor backColorPressed;
  // ButtonStyleColors becomes this when it is not 0; -1 leaves it alone.
  std::int32_t styleColorsWhenColored;
};

struct ButtonThemeColors {
  std::int32_t theme;
  OleColor backColor;
  OleColor backColorHover;
  OleColor backColorPressed;
  OleColor borderColor;  // all three border colours
};

// The preset of a ButtonStyle (1 to 8), nullptr for any other value.
const ButtonStylePreset* FindButtonStylePreset(std::int32_t style);
// The colour set of a ButtonTheme (1 to 8), nullptr for any other value.
const ButtonThemeColors* FindButtonTheme(std::int32_t theme);

// Apply the preset of the given value to the colour fields; other values
// change nothing.
void ApplyButtonStylePreset(ButtonProperties& properties, std::int32_t style);
void ApplyButtonTheme(ButtonProperties& properties, std::int32_t theme);

}  // namespace controls
