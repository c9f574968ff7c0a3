// The main window's button (outline 0, style 7, background colours 2) drawn
// at rest, hovered, pressed, focused and disabled, read back from the
// control's off-screen image.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/controls/control_host.h"

namespace {

using controlstest::ControlHost;
using controlstest::Hex;
using controlstest::Interpolated;
using controlstest::NearColor;

constexpr COLORREF kFace = 0xD8D8D8;
constexpr COLORREF kFacePressed = 0xEFCE92;
constexpr COLORREF kFaceHover = 0xF7DBA5;

struct InkBox {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

class MainWindowButtonLook : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Window(), nullptr) << "no display: window creation failed";
    ASSERT_TRUE(button_.Create(host_.Window(), 101, {"cmdStart", controls::FontSpec{}}));
    button_.ReadProperties(controlstest::MainWindowButtonBag("Start Search"));
    button_.Move(300, 300, 1575, 315);
    ControlHost::Pump();
    GetClientRect(button_.hwnd(), &client_);
    w_ = client_.right;
    h_ = client_.bottom;
    ASSERT_EQ(w_, controls::TwipsToPixels(1575, host_.Dpi()));
    // The pointer starts well away from the button.
    SetCursorPos(0, 0);
    ControlHost::Pump();
  }

  COLORREF At(int x, int y) const { return GetPixel(button_.hDC(), x, y); }

  // Every pixel of the outer (inset 0) or inner (inset 1) frame.
  void ExpectFrame(int inset, COLORREF expected, const char* what) const {
    for (int x = inset; x < w_ - inset; ++x) {
      ASSERT_EQ(At(x, inset), expected) << what << " top at x=" << x << ": " << Hex(At(x, inset));
      ASSERT_EQ(At(x, h_ - 1 - inset), expected) << what << " bottom at x=" << x;
    }
    for (int y = inset; y < h_ - inset; ++y) {
      ASSERT_EQ(At(inset, y), expected) << what << " left at y=" << y;
      ASSERT_EQ(At(w_ - 1 - inset, y), expected) << what << " right at y=" << y;
    }
  }

  // The style 7 sheen: light at the top towards the face colour at two
  // thirds of the height, restarting at the face colour in the middle and
  // brightening towards the light colour 25 pixels below the bottom. It
  // varies with y only, so it wholly hides the horizontal background gradient.
  void ExpectOverlay(COLORREF face, COLORREF light) const {
    const int firstEnd = static_cast<int>(std::nearbyint(h_ / 1.5));
    const int middle = static_cast<int>(std::nearbyint(h_ / 2.0));
    const int secondEnd = h_ + 25;
    const int top = 2, bottom = h_ - 3;
    const COLORREF expectedTop = Interpolated(light, face, top, firstEnd);
    const COLORREF expectedBottom = Interpolated(face, light, bottom - middle, secondEnd - middle);
    for (int x : {2, 6, w_ - 7, w_ - 3}) {
      EXPECT_TRUE(NearColor(At(x, top), expectedTop)) << "top row at x=" << x << ": " << Hex(At(x, top))
                                                      << " expected " << Hex(expectedTop);
      EXPECT_EQ(At(x, middle), face) << "middle row at x=" << x << ": " << Hex(At(x, middle));
      EXPECT_TRUE(NearColor(At(x, bottom), expectedBottom))
          << "bottom row at x=" << x << ": " << Hex(At(x, bottom)) << " expected " << Hex(expectedBottom);
    }
  }

  // Pixels inside the inner frame that satisfy the test.
  template <typename Test>
  InkBox InteriorBox(Test test) const {
    InkBox box;
    for (int y = 2; y < h_ - 2; ++y) {
      for (int x = 2; x < w_ - 2; ++x) {
        if (!test(At(x, y))) continue;
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
    }
    return box;
  }

  InkBox DarkInk() const {
    return InteriorBox([](COLORREF c) { return GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60; });
  }

  ControlHost host_;
  controls::Button button_;
  RECT client_{};
  int w_ = 0;
  int h_ = 0;
};

TEST_F(MainWindowButtonLook, AtRest) {
  EXPECT_FALSE(button_.Hover());
  EXPECT_FALSE(button_.Pressed());
  ExpectFrame(0, 0x8F8F8E, "outer frame");
  ExpectFrame(1, 0xFFFFFF, "inner frame");
  ExpectOverlay(kFace, 0xEFEFEF);

  // The caption, black, centred.
  const InkBox ink = DarkInk();
  ASSERT_FALSE(ink.Empty());
  EXPECT_NEAR(ink.left, w_ - 1 - ink.right, 3);
  EXPECT_NEAR(ink.top, h_ - 1 - ink.bottom, 3);
}

TEST_F(MainWindowButtonLook, Hovered) {
  controlstest::MovePointerTo(button_.hwnd(), w_ / 2, h_ / 2);
  ASSERT_TRUE(button_.Hover());
  ExpectFrame(0, 0xB17F3C, "outer frame");
  ExpectFrame(1, 0xFFFFFF, "inner frame");
  ExpectOverlay(kFaceHover, 0xFEFCF7);
}

TEST_F(MainWindowButtonLook, PressedMovesTheCaptionOnePixel) {
  const InkBox rest = DarkInk();
  SendMessageA(button_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w_ / 2, h_ / 2));
  ASSERT_TRUE(button_.Pressed());
  ExpectFrame(0, 0x5C411D, "outer frame");
  ExpectFrame(1, 0xCFB073, "inner frame");
  ExpectOverlay(kFacePressed, 0xF8ECD5);

  const InkBox pressed = DarkInk();
  ASSERT_FALSE(rest.Empty());
  EXPECT_EQ(pressed.left, rest.left + 1);
  EXPECT_EQ(pressed.top, rest.top + 1);
  EXPECT_EQ(pressed.right, rest.right + 1);
  EXPECT_EQ(pressed.bottom, rest.bottom + 1);
}

TEST_F(MainWindowButtonLook, FocusedShowsTheYellowInnerFrameOnly) {
  SetFocus(button_.hwnd());
  ControlHost::Pump();
  ASSERT_TRUE(button_.HasFocus());
  ExpectFrame(0, 0x8F8F8E, "outer frame");
  ExpectFrame(1, 0xFECC04, "inner frame");
  ExpectOverlay(kFace, 0xEFEFEF);
  // No dotted focus indication and no inner focus frame for this style.
  EXPECT_NE(At(3, 3), RGB(0, 0, 0));
  EXPECT_NE(At(4, h_ / 2), 0xD1D1D1u);

  SetFocus(host_.Window());
  ControlHost::Pump();
  EXPECT_FALSE(button_.HasFocus());
  ExpectFrame(1, 0xFFFFFF, "inner frame after the focus left");
}

TEST_F(MainWindowButtonLook, Disabled) {
  button_.Enabled(false);
  EXPECT_FALSE(IsWindowEnabled(button_.hwnd()));
  // The style step stores the disabled border colour.
  EXPECT_EQ(button_.BorderColor(), 0xB5B2ADu);
  ExpectFrame(0, 0xB5B2AD, "outer frame");
  ExpectOverlay(0xF0F0F0, 0xF4F4F4);

  // The caption is drawn once, in the button-shadow colour: no dark ink and
  // no highlight copy below and right of it.
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_3DHILIGHT);
  EXPECT_TRUE(DarkInk().Empty());
  EXPECT_FALSE(InteriorBox([&](COLORREF c) { return c == shadow; }).Empty());
  EXPECT_TRUE(InteriorBox([&](COLORREF c) { return c == highlight; }).Empty());

  button_.Enabled(true);
  EXPECT_EQ(button_.BorderColor(), 0x8F8F8Eu);
  ExpectOverlay(kFace, 0xEFEFEF);
}

TEST_F(MainWindowButtonLook, RefreshCopiesTheImageToTheScreen) {
  // Paint the window over, then refresh from the image without a repaint.
  const auto repaints = button_.RepaintCount();
  {
    HDC dc = GetDC(button_.hwnd());
    const RECT all{0, 0, w_, h_};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    button_.Refresh();
    EXPECT_EQ(GetPixel(dc, 0, h_ / 2), 0x8F8F8Eu);
    EXPECT_EQ(GetPixel(dc, 1, h_ / 2), 0xFFFFFFu);
    ReleaseDC(button_.hwnd(), dc);
  }
  EXPECT_EQ(button_.RepaintCount(), repaints);
}

}  // namespace

namespace {

// Pictures and the see-through face, on a new control (style 1).
class ButtonFace : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Window(), nullptr) << "no display: window creation failed";
    ASSERT_TRUE(button_.Create(host_.Window(), 1, {"Button1", controls::FontSpec{}}));
    button_.InitProperties();
    SetCursorPos(0, 0);
    ControlHost::Pump();
    GetClientRect(button_.hwnd(), &client_);
  }

  // A 16 x 16 bitmap of one colour.
  static controls::PicturePtr SolidPicture(COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT all{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return controls::PictureImage::FromBitmap(bitmap);
  }

  COLORREF At(int x, int y) const { return GetPixel(button_.hDC(), x, y); }

  ControlHost host_;
  controls::Button button_;
  RECT client_{};
};

TEST_F(ButtonFace, PictureIsCentredShiftedWhenPressedAndGreyedAtRestOrDisabled) {
  constexpr COLORREF kColor = RGB(200, 30, 60);
  button_.Caption("");
  button_.Picture(SolidPicture(kColor));
  const int x = (client_.right - 16) / 2, y = static_cast<int>(std::nearbyint((client_.bottom - 16) / 2.0));
  EXPECT_EQ(At(x, y), kColor);
  EXPECT_EQ(At(x + 15, y + 15), kColor);
  EXPECT_NE(At(x - 1, y), kColor);
  EXPECT_NE(At(x + 16, y + 16), kColor);

  SendMessageA(button_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_NE(At(x, y), kColor);
  EXPECT_EQ(At(x + 16, y + 16), kColor);
  button_.overr();

  // At rest, PictureGray gives every channel the red channel's value.
  button_.PictureGray(true);
  EXPECT_EQ(At(x + 8, y + 8), RGB(200, 200, 200));
  // Disabled, the picture is grey whatever PictureGray says: darker for this
  // colour, which is brighter in red than it looks.
  button_.PictureGray(false);
  button_.Enabled(false);
  const COLORREF grey = At(x + 8, y + 8);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_EQ(GetGValue(grey), GetBValue(grey));
  EXPECT_LT(GetRValue(grey), 120);
}

TEST_F(ButtonFace, TransparentFaceShowsTheHostButStillDrawsTheCaption) {
  constexpr COLORREF kHost = RGB(0, 160, 0);
  host_.SetBackground(kHost);
  button_.ButtonStyleColors(0);
  EXPECT_EQ(At(3, 3), kHost);
  EXPECT_EQ(At(client_.right - 4, client_.bottom - 4), kHost);
  bool caption = false;
  for (int y = 2; y < client_.bottom - 2; ++y)
    for (int x = 2; x < client_.right - 2; ++x) caption |= At(x, y) == RGB(0, 0, 0);
  EXPECT_TRUE(caption);

  button_.ButtonStyleColors(1);
  EXPECT_EQ(At(3, 3), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
