// Line_3D: the thirteen styles read back as pixels (widths, offsets, which
// line lies on top, ends and dashes), the resize rule and the stored properties.
#include "controls/line_3d.h"
#include "tests/controls/controls_test.h"

namespace {

constexpr int kMid = -1;  // the middle column

class Line3D : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Handle(), nullptr) << "no display: window creation failed";
    ASSERT_EQ(controls::WindowDpi(host_.Handle()), 96u) << "the positions below are those of 96 DPI";
    ASSERT_TRUE(line_.Create(host_.Handle(), 5));
    // The main window's separator: 8655 x 105 twips (577 x 7 pixels), style 4.
    line_.Move(360, 480, 8655, 105);
    line_.ReadProperties(controlstest::Bag("backcolor=0xFF0000 forecolor=0x80FF80 style=4"));
  }
  int Width() const { return line_.Surface().Width(); }
  // A pixel as F (the front line's light green), B (the back line's blue), K black or - other.
  char At(int x, int y) const {
    const COLORREF c = GetPixel(line_.hDC(), x == kMid ? Width() / 2 : x, y);
    return c == 0x80FF80 ? 'F' : c == 0xFF0000 ? 'B' : c == 0 ? 'K' : '-';
  }
  std::string Row(int y, bool frontOnly = false) const {
    std::string row;
    for (int x = 0; x < Width(); ++x) row += frontOnly && At(x, y) != 'F' ? '-' : At(x, y);
    return row;
  }
  int RowsOf(char kind) const {
    int rows = 0;
    for (int y = 0; y < 7; ++y) rows += At(kMid, y) == kind;
    return rows;
  }

  testsupport::TestWindow host_;
  controls::Line_3D line_;
};

// Rows of each line in the middle column (-1: not fixed, the front line
// being dashed), and one pixel whose colour the style fixes. At 96 DPI the
// lines lie at 30 twips = 2 px, 37 = 2, 40 = 3, 60 = 4 and start and end
// 2 px (30 twips) in. A pen w pixels wide at row y covers rows y - w / 2 to
// y + (w - 1) / 2 (GDI puts the extra row of an even width above); the front
// line covers its width, the back line what the front one leaves of its
// own; lines wider than a pixel have round ends.
struct LineCase { int style, frontRows, backRows, x, y; char expect; };
const LineCase kLineCases[] = {
    {0, 3, 1, kMid, 4, 'B'},    {0, 3, 1, kMid, 6, '-'},    {1, 3, 2, kMid, 4, 'B'},    {2, 5, 1, kMid, 0, 'B'},
    {2, 5, 1, kMid, 5, 'F'},    {3, 2, 2, kMid, 2, 'F'},    {4, 1, 4, kMid, 2, 'F'},    {4, 1, 4, 2, 2, 'F'},
    {4, 1, 4, 1, 2, 'B'},       {4, 1, 4, 574, 2, 'F'},     {4, 1, 4, 575, 2, 'B'},     {5, 5, 0, kMid, 2, 'F'},
    {6, 5, 0, kMid, 2, 'F'},    {6, 5, 0, 0, 2, 'F'},       {7, 4, 0, kMid, 2, 'F'},    {8, 3, 2, 0, 2, 'B'},
    {8, 3, 2, 576, 4, 'F'},     {8, 3, 2, 574, 2, '-'},     {8, 3, 2, 1, 4, '-'},       {9, -1, -1, 0, 2, 'B'},
    {10, -1, -1, 0, 2, 'B'},    {11, -1, -1, 0, 2, 'B'},    {12, -1, -1, 0, 2, 'B'},
};

TEST_F(Line3D, StylesSetWidthsOffsetsEndsAndTheFrontLineOnTop) {
  ASSERT_TRUE(Width() == 577 && line_.Surface().Height() == 7);
  for (const LineCase& c : kLineCases) {
    line_.Style(c.style);
    SCOPED_TRACE("style " + std::to_string(c.style) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_TRUE(c.frontRows < 0 || RowsOf('F') == c.frontRows);
    EXPECT_TRUE(c.backRows < 0 || RowsOf('B') == c.backRows);
    EXPECT_EQ(At(c.x, c.y), c.expect);
  }
}

TEST_F(Line3D, DashesOfStylesNineToTwelveDifferAndOutliveLaterStyles) {
  std::vector<std::string> dashes;
  for (int style : {4, 9, 10, 11, 12}) {
    line_.Style(style);
    dashes.push_back(Row(2, true));
    for (std::size_t i = 0; i + 1 < dashes.size(); ++i) EXPECT_NE(dashes.back(), dashes[i]) << style;
  }
  EXPECT_EQ(dashes[0], std::string(2, '-') + std::string(573, 'F') + std::string(2, '-'));  // solid
  line_.Style(4);
  EXPECT_EQ(Row(2, true), dashes.back());
  // Styles outside the table are stored and change nothing.
  const std::string image = Row(0) + Row(1) + Row(2) + Row(3) + Row(4) + Row(5) + Row(6);
  for (int style : {13, -1}) {
    line_.Style(style);
    EXPECT_TRUE(line_.Style() == style && Row(0) + Row(1) + Row(2) + Row(3) + Row(4) + Row(5) + Row(6) == image);
  }
}

TEST_F(Line3D, ResizeKeepsTheHeightAndMovesBothRightEnds) {
  SetWindowPos(line_.hwnd(), nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(line_.hwnd(), &client);
  EXPECT_TRUE(client.right == 300 && client.bottom == 7);
  // 4500 twips wide: the front line ends at 4470 (298 px), the back line at
  // 4440 (296 px) whatever the style, its round end reaching 2 px further.
  EXPECT_EQ(Row(1).substr(295, 1) + Row(2).substr(295, 5), "BFFFB-");
}

TEST_F(Line3D, StoredPropertiesAndSetters) {
  std::vector<std::string> changed;
  line_.PropertyChanged = [&](const char* name) { changed.push_back(name); };
  controls::PropertyBag stored;
  line_.WriteProperties(stored);
  ASSERT_EQ(stored.Entries().size(), 3u);
  EXPECT_EQ(stored.Entries()[0].key + stored.Entries()[1].key + stored.Entries()[2].key, "BackColorForeColorStyle");
  // Without keys: both lines black, style 0.
  line_.ReadProperties(controls::PropertyBag());
  EXPECT_EQ(line_.Style(), 0);
  EXPECT_EQ(std::string() + At(kMid, 0) + At(kMid, 2) + At(kMid, 4) + At(kMid, 6), "-KK-");
  line_.ReadProperties(stored);
  EXPECT_EQ(RowsOf('F'), 1);
  EXPECT_TRUE(changed.empty());
  line_.ForeColor(0xFF0000);
  EXPECT_EQ(At(kMid, 2), 'B');
  line_.BackColor(0x80FF80);
  EXPECT_EQ(At(kMid, 1), 'F');
  line_.Style(3);
  EXPECT_EQ(changed, (std::vector<std::string>{"ForeColor", "BackColor", "Style"}));
  // Clicks fall through to the host.
  EXPECT_EQ(testsupport::WindowAt(line_.hwnd(), Width() / 2, 2), host_.Handle());
}

}  // namespace
