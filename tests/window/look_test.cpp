// What only the real window shows: where the panels, the bottom strip and the
// buttons stand at the window's resolution and after a change of it, which
// window is on top where two overlap, labels painted in their colours where
// they stand and wrapped as the system's own static control wraps them,
// pictures at their own size, and the links lit under the real pointer.

#include <array>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>

#include "app/win32/resource_ids.h"
#include "controls/font_style.h"
#include "platform/substitute/recording_shell.h"
#include "tests/support/input.h"
#include "tests/window/window_test.h"

namespace {

using app::CommandButton;
using testsupport::NearColor;

std::array<LONG, 4> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

class LookTest : public testsupport::WindowTest {
 protected:
  // The size of what one colour covers in a twips box of a panel's image.
  static SIZE InkSize(app::Panel& panel, const RECT& box, COLORREF color) {
    const RECT ink = testsupport::InkBox(panel.Surface().Dc(), box, color);
    return {ink.right - ink.left + 1, ink.bottom - ink.top + 1};
  }

  // Controls where the layout puts them at a DPI, pictures at their own size.
  void ExpectLaidOutAt(UINT dpi) {
    HWND window = Form().Handle();
    HWND strip = Form().BottomStrip().Handle();
    HWND listFrame = Form().ScanListFrame().Handle();
    const struct {
      const char* what;
      HWND control, container;
      RECT at;
    } placed[] = {
        {"banner", Form().Banner().Handle(), window, At(-120, 0, 15690, 795, dpi)},
        {"side panel", Form().SidePanel().Handle(), window, At(0, 795, 2250, 7020, dpi)},
        {"welcome panel", Form().WelcomePanel().Handle(), window, At(2280, 840, 9615, 6830, dpi)},
        {"separator", Form().Separator().hwnd(), Form().WelcomePanel().Handle(), At(360, 480, 8655, 100, dpi)},
        {"bottom strip", strip, window, At(-120, 7320, 15375, 735, dpi)},
        {"Start Search", ButtonWindow(CommandButton::Start), strip, At(2760, 120, 1575, 320, dpi)},
        {"Stop Search", ButtonWindow(CommandButton::Stop), strip, At(4440, 120, 1575, 315, dpi)},
        {"Undo Center", ButtonWindow(CommandButton::UndoCenter), strip, At(6120, 120, 1575, 315, dpi)},
        {"Exit", ButtonWindow(CommandButton::Exit), strip, At(9840, 120, 1575, 315, dpi)},
        {"error list", Form().ErrorList().Handle(), listFrame, At(360, 600, 8055, 3135, dpi)},
        {"Select All", ButtonWindow(CommandButton::SelectAll), listFrame, At(360, 4800, 1575, 315, dpi)},
        {"Unselect All", ButtonWindow(CommandButton::Unselect), listFrame, At(2040, 4800, 1575, 315, dpi)},
        {"Delete", ButtonWindow(CommandButton::Delete), listFrame, At(3720, 4800, 1575, 315, dpi)},
        {"backup list", Form().UndoList().Handle(), Form().UndoListFrame().Handle(), At(360, 1080, 7935, 3015, dpi)},
    };
    for (const auto& p : placed) {
      EXPECT_EQ(GetParent(p.control), p.container) << p.what;
      RECT r = {};
      GetWindowRect(p.control, &r);
      MapWindowPoints(nullptr, p.container, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(Corners(r), Corners(p.at)) << p.what << " at " << dpi;
    }
    // The list icon's grey frame is 12 pixels wide at 96 DPI, in a box of 18.
    EXPECT_EQ(InkSize(Form().UndoListFrame(), At(120, 240, 270, 270, dpi), 0x787878).cx, MulDiv(12, dpi, 96));
    // The strip's picture (1018 pixels wide at 96 DPI) at the left, the strip's colour beyond it.
    const int edge = MulDiv(1018, dpi, 96);
    HDC stripImage = Form().BottomStrip().Surface().Dc();
    EXPECT_EQ(GetPixel(stripImage, edge + 2, 0), 0xE0E0E0u);
    EXPECT_FALSE(NearColor(GetPixel(stripImage, edge - 3, 0), 0xE0E0E0, 4));
  }
};

// Where everything stands at the prefix's resolution (96 DPI, or what a run
// in a high-DPI prefix says), which window is on top where two overlap, and
// where everything stands again after a change of resolution.
TEST_F(LookTest, ControlsFontsAndPicturesStandWhereTheLayoutPutsThemAtTheWindowsResolutionAndAfterAChange) {
  HWND window = Form().Handle();
  const char* prefixDpi = std::getenv("HIVESWEEP_TEST_DPI");
  ASSERT_EQ(Form().Dpi(), prefixDpi ? static_cast<UINT>(std::atoi(prefixDpi)) : 96u);
  ExpectLaidOutAt(Form().Dpi());
  // The side panel over the strip, the strip over the content panels.
  EXPECT_EQ(ChildWindowFromPointEx(window, {Px(1000), Px(7500)}, CWP_SKIPINVISIBLE), Form().SidePanel().Handle());
  EXPECT_EQ(ChildWindowFromPointEx(window, {Px(3000), Px(7500)}, CWP_SKIPINVISIBLE), Form().BottomStrip().Handle());
  Screenshot("welcome-panel");
  // Both maker's-name labels show on the screen, the second where the strip reaches.
  for (RECT label : {At(360, 6240, 1455, 255), At(240, 6600, 1575, 255)}) {
    MapWindowPoints(Form().SidePanel().Handle(), nullptr, reinterpret_cast<POINT*>(&label), 2);
    EXPECT_GT(InkOf(nullptr, label, 0x404040).pixels, 20) << label.top;
  }

  auto buttonFont = [&] {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(ButtonWindow(CommandButton::Start), WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    return std::abs(font.lfHeight);
  };
  auto heading = [&](UINT dpi) { return InkSize(Form().WelcomePanel(), At(360, 120, 4215, 375, dpi), 0x808080).cy; };
  // 96 to 144 DPI, or back in the high-DPI prefix (the screen holds no larger window).
  const UINT before = Form().Dpi(), dpi = before == 96 ? 144 : 96;
  const double scale = static_cast<double>(dpi) / before;
  const int font = buttonFont(), headingHeight = heading(before);
  RECT suggested = At(600, 450, 12000, 8400, dpi);
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  RECT now = {};
  GetWindowRect(window, &now);
  EXPECT_EQ(Corners(now), Corners(suggested));
  ExpectLaidOutAt(dpi);
  EXPECT_GT(headingHeight, 10);
  EXPECT_NEAR(buttonFont(), font * scale, 1);
  EXPECT_NEAR(heading(dpi), headingHeight * scale, 2);
  Screenshot("dpi-" + std::to_string(dpi));
}

TEST_F(LookTest, ALongLabelWrapsAndClipsAsTheSystemsStaticControlDoes) {
  // The scan instruction, wider than its label (the Undo Center's lines fit theirs).
  app::Panel& panel = Form().ScanListFrame();
  const int id = app::Form1::InstructionLabelId();
  const RECT box = At(480, 240, 8055, 255);
  const int width = box.right - box.left, height = box.bottom - box.top;
  // The same text, font and box in a static control, drawn into an image.
  HWND label = CreateWindowExA(0, "STATIC", panel.LabelText(id).c_str(), WS_POPUP | SS_LEFT | SS_NOPREFIX, 0, 0,
                               width, height, nullptr, nullptr, nullptr, nullptr);
  const controls::FontHandle font = controls::CreateFontFor(panel.LabelFont(id), Form().Dpi());
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  controls::OffscreenSurface plain;
  ASSERT_TRUE(plain.Resize(width, height));
  SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(plain.Dc()), PRF_CLIENT);
  DestroyWindow(label);
  int ink = 0, differ = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool system = plain.Pixel(x, y) != GetSysColor(COLOR_BTNFACE);
      ink += system;
      differ += system != (panel.Surface().Pixel(box.left + x, box.top + y) != 0xFBFBFB);
    }
  }
  EXPECT_GT(ink, 200);
  EXPECT_LE(differ, ink / 100);
}

TEST_F(LookTest, WindowIconHas256ColoursAndTheHandCursorTwo) {
  // A group directory: a 6-byte header, then 14-byte entries that end with
  // their image's id; a cursor's image starts with its hot spot (4 bytes).
  auto data = [](int id, LPCSTR type) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    return static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  };
  for (const auto& [id, group, image, skip, bits] : {std::tuple{IDI_HIVESWEEP, RT_GROUP_ICON, RT_ICON, 0, 8},
                                                     std::tuple{IDC_HAND_PICTURE, RT_GROUP_CURSOR, RT_CURSOR, 4, 1}}) {
    const BYTE* directory = data(id, group);
    ASSERT_NE(directory, nullptr) << id;
    WORD count = 0, imageId = 0;
    std::memcpy(&count, directory + 4, sizeof(count));
    std::memcpy(&imageId, directory + 6 + 12, sizeof(imageId));
    BITMAPINFOHEADER info = {};
    std::memcpy(&info, data(imageId, image) + skip, sizeof(info));
    using Shape = std::array<long, 4>;  // images, width, height, bits a pixel
    EXPECT_EQ((Shape{count, info.biWidth, info.biHeight / 2, info.biBitCount}), (Shape{1, 32, 32, bits})) << id;
  }
}

// The links light up white and underlined under the real pointer, their
// icons change nothing; a link opens on a press and a release on it.
TEST_F(LookTest, LinksLightUpUnderThePointerAndOpenTheHelpFileAndTheHomePageOnAClick) {
  HWND banner = Form().Banner().Handle();
  const RECT home = At(9945 + 120, 360, 735, 255), help = At(11025 + 120, 360, 615, 255);
  // Lit: white, with a white underline as wide as the word; idle: light grey, not underlined.
  auto look = [&](const RECT& link) {
    const Ink white = InkOf(banner, link, 0xFFFFFF), grey = InkOf(banner, link, 0xE0E0E0);
    if (white.pixels > 40 && white.longestRun >= 20) return "lit";
    return grey.pixels > 20 && grey.longestRun < 20 && white.pixels == 0 ? "idle" : "?";
  };
  auto shown = [&] {  // Home's look, Help's look, the pointer's shape
    const bool hand = GetCursor() != LoadCursor(nullptr, IDC_ARROW);
    return std::string(look(home)) + " " + look(help) + (hand ? " hand" : " arrow");
  };
  EXPECT_EQ(shown().substr(0, 9), "idle idle");
  const POINT onHome = {home.left + 5, home.top + 5}, onHelp = {help.left + 5, help.top + 5};
  const POINT onPicture = {Px(5000), Px(100)};
  for (const auto& [window, at, expected] : {
           std::tuple{banner, onHome, "lit idle hand"},
           {banner, {Px(9600 + 240), Px(480)}, "lit idle hand"},  // the Home and Help icons have no handler
           {banner, {Px(10680 + 240), Px(480)}, "lit idle hand"},
           {banner, onHelp, "idle lit hand"},  // straight onto Help: the light moves in one step
           {banner, {Px(1440 + 120 + 100), Px(195 + 100)}, "idle lit hand"},  // the title changes nothing
           {banner, onPicture, "idle idle arrow"},  // the banner picture puts the links out
           {banner, onHome, "lit idle hand"},
           {Form().WelcomePanel().Handle(), {50, 50}, "lit idle arrow"}}) {  // a panel: the arrow, the links kept
    testsupport::MovePointer(window, at.x, at.y);
    testsupport::Pump(50);
    EXPECT_EQ(shown(), expected) << at.x << "," << at.y;
  }
  EXPECT_GT(InkOf(banner, At(1440 + 120, 195, 2535, 405), 0xE0E0E0).pixels, 20);  // the title, in its colour

  // Help and Home open through the shell; not the banner picture, a press on
  // one link released on the other, or a lone release.
  platform::RecordingShell shell;
  app::Form1 form({registry_, pump_, boxes_, files_, clock_, restorePoint_, shell, instance_,
                   "C:\\Program Files\\Hivesweep", [] {}});
  ASSERT_TRUE(form.Load(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  auto send = [&](UINT message, POINT at) {
    SendMessageA(form.Banner().Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y));
  };
  for (auto [pressed, released] :
       {std::pair{onHelp, onHelp}, {onHome, onHome}, {onPicture, onPicture}, {onHelp, onHome}, {onHome, onHelp}}) {
    send(WM_LBUTTONDOWN, pressed);
    send(WM_LBUTTONUP, released);
  }
  send(WM_LBUTTONUP, onHelp);
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(shell.opened[0].file + " in " + shell.opened[0].directory,
            "C:\\Program Files\\Hivesweep\\help\\ZTV.chm in C:\\");
  EXPECT_EQ(shell.opened[1].file + " in " + shell.opened[1].directory, std::string(app::kHomeAddress) + " in C:\\");
}

}  // namespace
