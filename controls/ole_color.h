// Colour values as the controls store them: 0x00BBGGRR, or 0x80000000 + n for
// the platform's system colour number n.
#pragma once

#include <windows.h>

#include <cstdint>

namespace controls {

using OleColor = std::uint32_t;

constexpr OleColor kSystemColorFlag = 0x80000000u;

constexpr OleColor SystemColor(int index) { return kSystemColorFlag | static_cast<OleColor>(index); }

// System colours named by the drawing code.
constexpr OleColor kSysDesktop = SystemColor(COLOR_BACKGROUND);     // 1
constexpr OleColor kSysButtonFace = SystemColor(COLOR_BTNFACE);     // 15
constexpr OleColor kSysButtonShadow = SystemColor(COLOR_BTNSHADOW); // 16
constexpr OleColor kSysHighlight3D = SystemColor(COLOR_3DHILIGHT);  // 20
constexpr OleColor kSysDarkShadow3D = SystemColor(COLOR_3DDKSHADOW);// 21

// A plain RGB value for drawing; system colours come from the platform's table.
COLORREF ResolveColor(OleColor color);

}  // namespace controls
