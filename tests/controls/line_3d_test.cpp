// Line_3D: the style table drawn with real pens, the dash that outlives later
// styles, the resize rule, and the stored properties.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/line_3d.h"
#include "tests/controls/control_host.h"

namespace {

using controlstest::ControlHost;
using controlstest::Hex;

constexpr COLORREF kBack = 0xFF0000;   // blue
constexpr COLORREF kFront = 0x80FF80;  // light green

class Line3D : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Window(), nullptr) << "no display: window creation failed";
    ASSERT_TRUE(line_.Create(host_.Window(), 5));
    // The main window's separator: 8655 x 105 twips, style 4, its colours.
    line_.Move(360, 480, 8655, 105);
    controls::PropertyBag bag;
    bag.Set("backcolor", std::int64_t{kBack});
    bag.Set("forecolor", std::int64_t{kFront});
    bag.Set("style", std::int64_t{4});
    line_.ReadProperties(bag);
    ControlHost::Pump();
  }

  int Px(int twips) const { return controls::TwipsToPixels(twips, host_.Dpi()); }
  COLORREF At(int x, int y) const { return GetPixel(line_.hDC(), x, y); }
  int Width() const { return line_.Surface().Width(); }
  int Height() const { return line_.Surface().Height(); }

  // Rows of column x in the colour.
  int RowsOf(int x, COLORREF color) const {
    int rows = 0;
    for (int y = 0; y < Height(); ++y) rows += At(x, y) == color;
    return rows;
  }

  // Whether row y holds both colours between the pixel columns from and to.
  bool Dashed(int y, int from, int to, COLORREF line, COLORREF gap) const {
    bool sawLine = false, sawGap = false;
    for (int x = from; x < to; ++x) {
      sawLine |= At(x, y) == line;
      sawGap |= At(x, y) == gap;
    }
    return sawLine && sawGap;
  }

  ControlHost host_;
  controls::Line_3D line_;
};

TEST_F(Line3D, MainWindowSeparatorDrawsAWideBackLineUnderAThinFrontLine) {
  EXPECT_EQ(Height(), Px(100));
  const int x = Width() / 2;
  EXPECT_EQ(RowsOf(x, kFront), 1);
  EXPECT_EQ(RowsOf(x, kBack), 4);  // width 5, one row covered by the front line
  EXPECT_EQ(At(x, Px(30)), kFront) << Hex(At(x, Px(30)));
  EXPECT_TRUE(line_.FrontLineOnTop());
  // Both lines start 30 twips in; the front one ends 30 twips before the edge
  // (the end pixel is left out).
  EXPECT_NE(At(Px(30) - 1, Px(30)), kFront);
  EXPECT_EQ(At(Px(30), Px(30)), kFront);
  const int end = Px(line_.ScaleWidthTwips() - 30);
  EXPECT_EQ(At(end - 1, Px(30)), kFront);
  EXPECT_NE(At(end, Px(30)), kFront);
}

TEST_F(Line3D, StylesSetWidthsOffsetsAndStacking) {
  const int x = Width() / 2;
  line_.Style(5);  // thin back line hidden under a wide front line
  EXPECT_EQ(RowsOf(x, kBack), 0);
  EXPECT_EQ(RowsOf(x, kFront), 5);

  line_.Style(1);  // front 3 wide, 7 twips lower than the back line's centre
  EXPECT_EQ(line_.FrontLine().Y1, 37);
  EXPECT_EQ(RowsOf(x, kFront), 3);
  EXPECT_EQ(RowsOf(x, kBack), 5 - 3 + (Px(37) - Px(30)));

  line_.Style(8);  // offset lines: back from 0 to SW - 90, front from 60 to SW
  EXPECT_EQ(line_.BackLine().X1, 0);
  EXPECT_EQ(line_.BackLine().X2, line_.ScaleWidthTwips() - 90);
  EXPECT_EQ(line_.FrontLine().X2, line_.ScaleWidthTwips());
  EXPECT_EQ(At(0, Px(30)), kBack);
  EXPECT_EQ(At(Width() - 1, Px(60)), kFront);
}

TEST_F(Line3D, DashOfStylesNineToTwelveOutlivesLaterStyles) {
  const int from = Px(30), to = Px(line_.ScaleWidthTwips() - 30);
  EXPECT_FALSE(Dashed(Px(30), from, to, kFront, kBack));

  line_.Style(9);
  EXPECT_EQ(line_.FrontLine().Dash, controls::DashPattern::Dash);
  EXPECT_TRUE(Dashed(Px(30), from, to, kFront, kBack));
  line_.Style(4);
  EXPECT_EQ(line_.FrontLine().Dash, controls::DashPattern::Dash);
  EXPECT_EQ(line_.FrontLine().Width, 1);
  EXPECT_TRUE(Dashed(Px(30), from, to, kFront, kBack));

  line_.Style(12);
  EXPECT_EQ(line_.FrontLine().Dash, controls::DashPattern::DashDotDot);
}

TEST_F(Line3D, StylesOutsideTheTableAreStoredAndChangeNoLine) {
  line_.Style(9);
  const controls::LineElement back = line_.BackLine();
  const controls::LineElement front = line_.FrontLine();
  for (int style : {13, -1}) {
    line_.Style(style);
    EXPECT_EQ(line_.Style(), style);
    EXPECT_EQ(line_.BackLine().Width, back.Width);
    EXPECT_EQ(line_.BackLine().X1, back.X1);
    EXPECT_EQ(line_.FrontLine().Y1, front.Y1);
    EXPECT_EQ(line_.FrontLine().Dash, front.Dash);
  }
}

TEST_F(Line3D, ResizeKeepsTheHeightAndMovesBothRightEnds) {
  SetWindowPos(line_.hwnd(), nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(line_.hwnd(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, Px(100));
  const int sw = line_.ScaleWidthTwips();
  EXPECT_EQ(line_.FrontLine().X2, sw - 30);
  EXPECT_EQ(line_.BackLine().X2, sw - 60);  // whatever the style says
  // The back line now stops before the front line does.
  const int y = Px(30) - 1;
  EXPECT_EQ(At(Px(sw - 60) - 1, y), kBack);
  EXPECT_NE(At(Px(sw - 60), y), kBack);
}

TEST_F(Line3D, PropertiesRoundTripAndAnEmptyBagGivesBlackStyleZero) {
  controls::PropertyBag stored;
  line_.WriteProperties(stored);
  ASSERT_EQ(stored.Entries().size(), 3u);
  EXPECT_EQ(stored.Entries()[0].key, "BackColor");
  EXPECT_EQ(stored.Entries()[2].key, "Style");

  line_.ReadProperties(controls::PropertyBag());
  EXPECT_EQ(line_.BackColor(), 0u);
  EXPECT_EQ(line_.ForeColor(), 0u);
  EXPECT_EQ(line_.Style(), 0);
  EXPECT_EQ(line_.BackLine().Width, 2);
  EXPECT_EQ(line_.BackLine().Y1, 60);
  EXPECT_EQ(line_.FrontLine().Width, 3);
  const int x = Width() / 2;
  EXPECT_EQ(At(x, Px(30)), RGB(0, 0, 0));
  EXPECT_EQ(At(x, Px(60)), RGB(0, 0, 0));
  EXPECT_NE(At(x, 0), RGB(0, 0, 0));
  EXPECT_NE(At(x, Height() - 1), RGB(0, 0, 0));

  line_.ReadProperties(stored);
  EXPECT_EQ(line_.BackColor(), kBack);
  EXPECT_EQ(line_.Style(), 4);
}

TEST_F(Line3D, SettersTellTheHost) {
  std::vector<std::string> changed;
  line_.PropertyChanged = [&](const char* name) { changed.push_back(name); };
  line_.ForeColor(0x0000FF);
  line_.BackColor(0x00FF00);
  line_.Style(3);
  EXPECT_EQ(changed, (std::vector<std::string>{"ForeColor", "BackColor", "Style"}));
  EXPECT_EQ(At(Width() / 2, Px(30)), 0x0000FFu);
}

TEST_F(Line3D, TakesNoInput) {
  POINT screen{Width() / 2, 2};
  ClientToScreen(line_.hwnd(), &screen);
  EXPECT_EQ(WindowFromPoint(screen), host_.Window());
}

}  // namespace
