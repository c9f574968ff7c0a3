// What only the real window shows: where the panels, the bottom strip and the
// buttons stand at the window's resolution, which window is on top where two
// overlap, labels painted in their colours where they stand, and the links
// lit under the real pointer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/input.h"
#include "tests/window/window_test.h"

namespace {

using app::CommandButton;
using testsupport::NearColor;
using testsupport::ScreenPixel;

using LookTest = testsupport::WindowTest;

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST_F(LookTest, ControlsStandWhereTheLayoutPutsThemAtTheWindowsResolution) {
  HWND window = Form().Handle();
  HWND strip = GetParent(ButtonWindow(CommandButton::Start));
  HWND listFrame = Form().ScanListFrame().Handle();
  struct Placed {
    const char* what;
    HWND control;
    HWND container;
    int left, top, width, height;  // twips
  };
  const Placed placed[] = {
      {"banner", Form().Banner().Handle(), window, -120, 0, 15690, 795},
      {"welcome panel", Form().WelcomePanel().Handle(), window, 2280, 840, 9615, 6830},
      {"bottom strip", strip, window, -120, 7320, 15375, 735},
      {"Start Search", ButtonWindow(CommandButton::Start), strip, 2760, 120, 1575, 320},
      {"Stop Search", ButtonWindow(CommandButton::Stop), strip, 4440, 120, 1575, 315},
      {"Undo Center", ButtonWindow(CommandButton::UndoCenter), strip, 6120, 120, 1575, 315},
      {"Exit", ButtonWindow(CommandButton::Exit), strip, 9840, 120, 1575, 315},
      {"error list", Form().ErrorList().Handle(), listFrame, 360, 600, 8055, 3135},
      {"Select All", ButtonWindow(CommandButton::SelectAll), listFrame, 360, 4800, 1575, 315},
      {"Unselect All", ButtonWindow(CommandButton::Unselect), listFrame, 2040, 4800, 1575, 315},
      {"Delete", ButtonWindow(CommandButton::Delete), listFrame, 3720, 4800, 1575, 315},
  };
  for (const Placed& p : placed) {
    EXPECT_EQ(GetParent(p.control), p.container) << p.what;
    RECT r = {};
    GetWindowRect(p.control, &r);
    MapWindowPoints(nullptr, p.container, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(Text(r), Text(PxRect(p.left, p.top, p.width, p.height))) << p.what;
  }
}

TEST_F(LookTest, BottomStripStandsOverTheFootOfTheSidePanel) {
  HWND window = Form().Handle();
  const POINT foot = {Px(1000), Px(7500)};  // in both
  EXPECT_EQ(ChildWindowFromPointEx(window, foot, CWP_SKIPINVISIBLE), GetParent(ButtonWindow(CommandButton::Start)));
  // The side panel's right border shows above the strip, not over it.
  const int border = Px(2250) - 1;
  EXPECT_TRUE(NearColor(ScreenPixel(window, border, Px(7000)), 0xC0C0C0, 8));
  EXPECT_FALSE(NearColor(ScreenPixel(window, border, Px(7500)), 0xC0C0C0, 8));
}

TEST_F(LookTest, LabelsArePaintedInTheirColoursWhereTheyStand) {
  Screenshot("welcome-panel");
  struct Painted {
    const char* what;
    HWND panel;
    int left, top, width, height;  // twips, in the panel
    COLORREF color;
  };
  const Painted painted[] = {
      {"title", Form().Banner().Handle(), 1440 + 120, 195, 2535, 405, 0xE0E0E0},
      {"Home", Form().Banner().Handle(), 9945 + 120, 360, 735, 255, 0xE0E0E0},
      {"Help", Form().Banner().Handle(), 11025 + 120, 360, 615, 255, 0xE0E0E0},
      {"welcome heading", Form().WelcomePanel().Handle(), 360, 120, 4215, 375, 0x808080},
  };
  for (const Painted& p : painted) {
    EXPECT_GT(InkOf(p.panel, PxRect(p.left, p.top, p.width, p.height), p.color).pixels, 20) << p.what;
  }
}

TEST_F(LookTest, LinksLightUpWhiteAndUnderlinedUnderThePointer) {
  HWND banner = Form().Banner().Handle();
  const RECT home = PxRect(9945 + 120, 360, 735, 255);
  const RECT help = PxRect(11025 + 120, 360, 615, 255);
  auto pointAt = [&](HWND window, int x, int y) {
    testsupport::MovePointer(window, x, y);
    testsupport::Pump(50);
  };
  auto lit = [&](const RECT& link) {  // white, with a white underline as wide as the word
    const Ink white = InkOf(banner, link, 0xFFFFFF);
    return white.pixels > 40 && white.longestRun >= 20;
  };
  auto idle = [&](const RECT& link) {  // light grey, not underlined
    const Ink grey = InkOf(banner, link, 0xE0E0E0);
    return grey.pixels > 20 && grey.longestRun < 20 && InkOf(banner, link, 0xFFFFFF).pixels == 0;
  };
  auto handShown = [] { return GetCursor() != LoadCursor(nullptr, IDC_ARROW); };

  EXPECT_TRUE(idle(home) && idle(help));
  pointAt(banner, home.left + 5, home.top + 5);
  EXPECT_TRUE(lit(home) && idle(help));
  EXPECT_TRUE(handShown());
  pointAt(banner, help.left + 5, help.top + 5);  // straight onto Help: the light moves in one step
  EXPECT_TRUE(lit(help) && idle(home));
  pointAt(banner, Px(1440 + 120 + 100), Px(195 + 100));  // the title changes nothing
  EXPECT_TRUE(lit(help) && idle(home));
  EXPECT_TRUE(handShown());
  pointAt(banner, Px(5000), Px(100));  // the banner picture puts the links out
  EXPECT_TRUE(idle(home) && idle(help));
  EXPECT_FALSE(handShown());

  pointAt(banner, home.left + 5, home.top + 5);
  pointAt(Form().WelcomePanel().Handle(), 50, 50);  // a panel restores the arrow, not the links
  EXPECT_TRUE(lit(home) && idle(help));
  EXPECT_FALSE(handShown());
}

}  // namespace
