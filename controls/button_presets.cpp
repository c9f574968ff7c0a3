#include "controls/button_presets.h"

namespace controls {

namespace {

constexpr ButtonStylePreset kStylePresets[] = {
    {1, kSysButtonFace, kSysButtonFace, kSysButtonFace, -1},
    {2, kSysButtonFace, kSysButtonFace, kSysButtonFace, -1},
    {3, kSysButtonFace, kSysButtonFace, kSysButtonFace, -1},
    {4, kSysButtonFace, kSysButtonFace, 0x999999, 1},
    {5, kSysButtonFace, 0xB6A59F, 0xAF8C80, -1},
    {6, 0xD2DEDD, 0xFFFFFF, 0xFFFFFF, 3},
    {7, 0xD8D8D8, 0xF7DBA5, 0xEFCE92, -1},
    {8, kSysDesktop, kSysDesktop, kSysDesktop, -1},
};

constexpr ButtonThemeColors kThemes[] = {
    {1, 0xF1B39A, 0xFDF7F4, 0xFAE6DD, 0xF1B39A},
    {2, 0x3DB4A2, 0xDFF4F2, 0xB8E7E0, 0x3DB4A2},
    {3, 0xB5A09D, 0xF7F5F4, 0xECE7E6, 0xB5A09D},
    {4, 0xABC2C2, 0xF2F8F8, 0xE6EDEE, 0xABC2C2},
    {5, 0x02C5F5, 0xE2F9FF, 0xAFEFFE, 0x02C5F5},
    {6, 0x26368B, 0x4763FF, 0x425CEE, 0x0000FF},
    {7, 0x578B2E, 0x9FFF54, 0x80CD43, 0x00FF00},
    {8, 0x8B4027, 0xFF7648, 0xCD5F3A, 0xFF0000},
};

}  // namespace

const ButtonStylePreset* FindButtonStylePreset(std::int32_t style) {
  for (const ButtonStylePreset& preset : kStylePresets) {
    if (preset.style == style) return &preset;
  }
  return nullptr;
}

const ButtonThemeColors* FindButtonTheme(std::int32_t theme) {
  for (const ButtonThemeColors& colors : kThemes) {
    if (colors.theme == theme) return &colors;
  }
  return nullptr;
}

void ApplyButtonStylePreset(ButtonProperties& properties, std::int32_t style) {
  const ButtonStylePreset* preset = FindButtonStylePreset(style);
  if (!preset) return;
  properties.BackColor = preset->backColor;
  properties.BackColorHover = preset->backColorHover;
  properties.BackColorPressed = preset->backColorPressed;
  if (preset->styleColorsWhenColored >= 0 && properties.ButtonStyleColors != 0) {
    properties.ButtonStyleColors = preset->styleColorsWhenColored;
  }
}

void ApplyButtonTheme(ButtonProperties& properties, std::int32_t theme) {
  const ButtonThemeColors* colors = FindButtonTheme(theme);
  if (!colors) return;
  properties.BackColor = colors->backColor;
  properties.BackColorHover = colors->backColorHover;
  properties.BackColorPressed = colors->backColorPressed;
  properties.BorderColor = colors->borderColor;
  properties.BorderColorPressed = colors->borderColor;
  properties.BorderColorHover = colors->borderColor;
}

}  // namespace controls
