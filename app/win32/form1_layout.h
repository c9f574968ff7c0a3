// The main window's fixed layout: every position and size in twips, relative
// to the control's container, with the texts, fonts and colours it shows.
#pragma once

#include <windows.h>

#include "app/win32/panel.h"

namespace app::layout {

// Colours as the controls hold them (0xBBGGRR, as COLORREF).
constexpr COLORREF kWindowBack = 0xF0F0F0;
constexpr COLORREF kPanelBack = 0xFBFBFB;
constexpr COLORREF kFrameBorder = 0xC0C0C0;
constexpr COLORREF kLinkIdle = 0xE0E0E0;
constexpr COLORREF kLinkHover = 0xFFFFFF;
constexpr COLORREF kText = 0x404040;
constexpr COLORREF kHeading = 0x808080;
constexpr COLORREF kDarkRed = 0x000080;
constexpr COLORREF kNavy = 0x800000;

constexpr int kWindowWidth = 12000;
constexpr int kWindowHeight = 8400;
constexpr TwipsRect kContent = {2280, 840, 9615, 6830};

// Top level.
constexpr TwipsRect kBanner = {-120, 0, 15690, 795};          // Image7
constexpr TwipsRect kSidePanel = {0, 795, 2250, 7020};
constexpr TwipsRect kBottomStrip = {-120, 7320, 15375, 735};  // Picture3

// Labels and pictures of the banner, placed relative to the banner picture.
constexpr int kBannerShift = 120;
constexpr TwipsRect kTitleLabel = {1440 + kBannerShift, 195, 2535, 405};  // Label11
constexpr TwipsRect kHomeIcon = {9600 + kBannerShift, 360, 240, 240};
constexpr TwipsRect kHomeLabel = {9945 + kBannerShift, 360, 735, 255};
constexpr TwipsRect kHelpIcon = {10680 + kBannerShift, 390, 240, 240};
constexpr TwipsRect kHelpLabel = {11025 + kBannerShift, 360, 615, 255};

constexpr TwipsRect kMakerLine1 = {360, 6240, 1455, 255};
constexpr TwipsRect kMakerLine2 = {240, 6600, 1575, 255};

// Buttons: size, then the place of each in its container.
constexpr int kButtonWidth = 1575;
constexpr int kButtonHeight = 315;
constexpr int kStartButtonHeight = 320;

// Welcome panel.
constexpr TwipsRect kWelcomeHeading = {360, 120, 4215, 375};
constexpr TwipsRect kSeparator = {360, 480, 8655, 105};
constexpr TwipsRect kWelcomeTextFrame = {240, 600, 8775, 4215};
struct TextLine {
  int top;
  const char* text;
};
constexpr TextLine kWelcomeLines[] = {
    {120, "The Windows registry is a central hierarchical database in Windows used to store information"},
    {390, "necessary to configure the system for one or more users, applications, and hardware devices."},
    {690, "The registry keep growing when you use Windows. This causes your computer to slow down,"},
    {960, "crash and produce errors. With the growing of the registry, it can degrade the performance of"},
    {1200, "the whole system and causes many serious software problems."},
    {1560, "Hivesweep scans the Windows registry and finds incorrect or obsolete info in the registry."},
    {1830, "By fixing these obsolete information in Windows registry. Your system will be able to run"},
    {2100, "faster and error free."},
};
constexpr int kWelcomeLineLeft = 120;
constexpr int kWelcomeLineHeight = 255;
constexpr int kWelcomeLineWidth = 8535;
constexpr TwipsRect kPressLabel = {120, 3360, 600, 255};
constexpr TwipsRect kPressStartLabel = {720, 3375, 1200, 255};
constexpr TwipsRect kPressRestLabel = {1920, 3360, 6735, 255};

// Scan and results panel.
constexpr TwipsRect kHeaderFrame = {360, 120, 8775, 615};  // frameScanning and FrameResult
constexpr TwipsRect kScanningLabel = {240, 195, 3855, 375};
constexpr TwipsRect kResultIcon = {240, 70, 480, 480};
constexpr TwipsRect kErrorsFoundLabel = {840, 165, 1815, 255};  // Label12
constexpr TwipsRect kErrorCountLabel = {2520, 150, 2295, 300};  // Label19
constexpr TwipsRect kScanListFrame = {360, 840, 8775, 5415};
constexpr TwipsRect kScanListIcon = {120, 240, 240, 240};
constexpr TwipsRect kScanInstruction = {480, 240, 8055, 255};
constexpr TwipsRect kErrorList = {360, 600, 8055, 3135};        // lvErrorRegKey
constexpr TwipsRect kStatusLabel = {360, 3960, 855, 255};       // Label5
constexpr TwipsRect kCurrentKeyLabel = {1200, 3960, 7215, 225};  // txtCurKey
constexpr TwipsRect kProgressBar = {360, 4320, 8055, 270};      // XP_ProgressBar1

// Undo Center panel.
constexpr TwipsRect kUndoTitleFrame = {360, 120, 8655, 615};
constexpr TwipsRect kUndoTitleIcon = {240, 200, 240, 240};
constexpr TwipsRect kUndoTitleLabel = {600, 195, 2415, 255};  // Label6
constexpr TwipsRect kUndoListFrame = {360, 960, 8655, 4815};
constexpr TwipsRect kUndoListIcon = {120, 240, 270, 270};
constexpr TwipsRect kUndoText1 = {480, 240, 8055, 255};  // Label8
constexpr TwipsRect kUndoText2 = {480, 480, 7935, 255};  // Label9
constexpr TwipsRect kUndoText3 = {480, 720, 7695, 255};  // Label10
constexpr TwipsRect kUndoList = {360, 1080, 7935, 3015};  // lstUndo
constexpr int kUndoColumnWidth = 7920;

}  // namespace app::layout
