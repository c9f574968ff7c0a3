// Outlines as window regions, the borders of other styles on the rectangle
// outline, the focus indication and the drop-down mark.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/controls/control_host.h"

namespace {

using controlstest::ControlHost;
using controlstest::Hex;

class ButtonOutline : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Window(), nullptr) << "no display: window creation failed";
    ASSERT_TRUE(button_.Create(host_.Window(), 1, {"Button1", controls::FontSpec{}}));
    button_.InitProperties();
    SetWindowPos(button_.hwnd(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ControlHost::Pump();
  }

  SIZE ClientSize() const {
    RECT client;
    GetClientRect(button_.hwnd(), &client);
    return {client.right, client.bottom};
  }

  // Whether the window's visible area holds the client point, asked of the
  // window region and of the system's hit test.
  bool Visible(int x, int y) const {
    controls::Region region(CreateRectRgn(0, 0, 0, 0));
    const bool inRegion =
        GetWindowRgn(button_.hwnd(), region.Get()) == ERROR || PtInRegion(region.Get(), x, y) != FALSE;
    POINT screen{x, y};
    ClientToScreen(button_.hwnd(), &screen);
    const bool hit = WindowFromPoint(screen) == button_.hwnd();
    EXPECT_EQ(inRegion, hit) << "region and hit test disagree at " << x << "," << y;
    return hit;
  }

  COLORREF At(int x, int y) const { return GetPixel(button_.hDC(), x, y); }

  ControlHost host_;
  controls::Button button_;
};

TEST_F(ButtonOutline, NewControlIs1200By500Twips) {
  const SIZE size = ClientSize();
  EXPECT_EQ(size.cx, controls::TwipsToPixels(1200, host_.Dpi()));
  EXPECT_EQ(size.cy, controls::TwipsToPixels(500, host_.Dpi()));
  EXPECT_EQ(button_.Caption(), "Button1");
  EXPECT_EQ(button_.Font().FaceName, "Tahoma");
  EXPECT_EQ(button_.ShapeRegion(), nullptr);
}

TEST_F(ButtonOutline, DiamondSquaresTheControlAndClipsIt) {
  ASSERT_EQ(host_.Dpi(), 96u) << "the sizes below are those of 96 DPI";
  ASSERT_EQ(ClientSize().cx, 80);
  ASSERT_EQ(ClientSize().cy, 33);
  button_.ButtonShape(controls::kShapeDiamond);
  EXPECT_EQ(ClientSize().cx, 80);
  EXPECT_EQ(ClientSize().cy, 80);
  EXPECT_NE(button_.ShapeRegion(), nullptr);

  EXPECT_TRUE(Visible(40, 40));
  EXPECT_TRUE(Visible(40, 3));
  EXPECT_TRUE(Visible(3, 40));
  EXPECT_FALSE(Visible(5, 5));
  EXPECT_FALSE(Visible(75, 5));
  EXPECT_FALSE(Visible(5, 75));
  EXPECT_FALSE(Visible(75, 75));

  // Back to the rectangle: the full area again, and the size stays square.
  button_.ButtonShape(controls::kShapeRectangle);
  controls::Region region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(button_.hwnd(), region.Get()), ERROR);
  EXPECT_EQ(button_.ShapeRegion(), nullptr);
  EXPECT_TRUE(Visible(2, 2));
  EXPECT_TRUE(Visible(77, 77));
  EXPECT_EQ(ClientSize().cy, 80);
}

TEST_F(ButtonOutline, TrianglesPointWhereTheirNameSays) {
  button_.ButtonShape(controls::kShapeTriangleUp);
  const int w = ClientSize().cx;
  EXPECT_TRUE(Visible(w / 2, 3));
  EXPECT_TRUE(Visible(3, w - 2));
  EXPECT_FALSE(Visible(3, 3));
  EXPECT_FALSE(Visible(w - 4, 3));

  button_.ButtonShape(controls::kShapeTriangleRight);
  EXPECT_TRUE(Visible(3, 3));
  EXPECT_TRUE(Visible(w - 4, w / 2));
  EXPECT_FALSE(Visible(w - 4, 3));
}

TEST_F(ButtonOutline, RoundedRectangleKeepsItsSizeAndCutsTheCorners) {
  button_.ButtonShape(controls::kShapeRoundRect);
  const SIZE size = ClientSize();
  EXPECT_EQ(size.cy, controls::TwipsToPixels(500, host_.Dpi()));
  EXPECT_FALSE(Visible(0, 0));
  EXPECT_FALSE(Visible(size.cx - 1, size.cy - 1));
  EXPECT_TRUE(Visible(size.cx / 2, 0));
  EXPECT_TRUE(Visible(0, size.cy / 2));
}

TEST_F(ButtonOutline, StyleOneIsRaisedAtRestAndSunkenPressed) {
  const SIZE size = ClientSize();
  const int w = size.cx, h = size.cy;
  const COLORREF highlight = GetSysColor(COLOR_3DHILIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
  EXPECT_EQ(At(w / 2, 0), highlight);
  EXPECT_EQ(At(0, h / 2), highlight);
  EXPECT_EQ(At(w - 1, h / 2), dark);  // the pen colour of style 1
  EXPECT_EQ(At(w / 2, h - 1), dark);
  EXPECT_EQ(At(w - 2, h / 2), shadow);
  EXPECT_EQ(At(w / 2, h - 2), shadow);

  SendMessageA(button_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w / 2, h / 2));
  ASSERT_TRUE(button_.Pressed());
  EXPECT_EQ(At(w / 2, 0), dark);
  EXPECT_EQ(At(0, h / 2), dark);
  EXPECT_EQ(At(w / 2, 1), shadow);
  EXPECT_EQ(At(1, h / 2), shadow);
  EXPECT_EQ(At(w - 1, h / 2), highlight);  // BorderColorPressed of style 1
}

TEST_F(ButtonOutline, FocusShowsADottedInnerFrame) {
  // The focus frame four pixels in, every other pixel of it black, on sides
  // of either parity; the face around it untouched.
  for (int style : {1, 8}) {
    SCOPED_TRACE(style);
    button_.ButtonStyle(style);
    SetFocus(button_.hwnd());
    ControlHost::Pump();
    ASSERT_TRUE(button_.HasFocus());
    const SIZE size = ClientSize();
    const int right = size.cx - 5, bottom = size.cy - 5;
    for (int y = 6; y < bottom - 1; ++y) {
      const COLORREF even = (y % 2 == 0) ? RGB(0, 0, 0) : 0xD1D1D1;
      const COLORREF odd = (y % 2 == 1) ? RGB(0, 0, 0) : 0xD1D1D1;
      ASSERT_EQ(At(4, y), even) << "left side at y=" << y << ": " << Hex(At(4, y));
      ASSERT_EQ(At(right, y), right % 2 == 0 ? even : odd) << "right side at y=" << y;
    }
    EXPECT_EQ(At(6, 4), RGB(0, 0, 0));
    EXPECT_EQ(At(7, 4), 0xD1D1D1u);
    EXPECT_NE(At(3, 3), RGB(0, 0, 0));

    SetFocus(host_.Window());
    ControlHost::Pump();
    EXPECT_NE(At(4, 6), RGB(0, 0, 0));
    EXPECT_NE(At(4, 7), 0xD1D1D1u);
  }
}

TEST_F(ButtonOutline, StyleFourFramesTheCaptionOnlyWhenThereIsOne) {
  button_.ButtonStyle(4);
  SetFocus(button_.hwnd());
  ControlHost::Pump();
  auto countFrame = [&] {
    int n = 0;
    const SIZE size = ClientSize();
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) n += At(x, y) == 0xCC9999u;
    return n;
  };
  EXPECT_GT(countFrame(), 20);
  button_.Caption("");
  EXPECT_EQ(countFrame(), 0);
}

TEST_F(ButtonOutline, DropDownMarkSitsRightOfTheAnchor) {
  button_.Caption("");
  button_.DropDown(2);
  const SIZE size = ClientSize();
  const int left = size.cx - 21, top = static_cast<int>(std::nearbyint(size.cy / 2.0)) - 8;
  int inside = 0, outside = 0;
  for (int y = 1; y < size.cy - 1; ++y) {
    for (int x = 1; x < size.cx - 1; ++x) {
      if (At(x, y) != RGB(0, 0, 0)) continue;
      const bool inSquare = x >= left && x < left + 10 && y >= top && y < top + 10;
      (inSquare ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

}  // namespace
