// A Button's look read back pixel by pixel: one table of stored properties
// and a state, each with the pixels, the caption ink or the hit tests that
// the drawing rules fix at a few points.
#include <map>

#include "tests/controls/controls_test.h"

namespace {

using controls::OleColor;

// A coordinate: v >= 0 from the left or top edge, v < 0 from the right or
// bottom edge (-1 is the last pixel), M + d for d pixels from the middle.
constexpr int M = 10000;
constexpr OleColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kHost = 0x00A000, kBlack = 0;
constexpr OleColor kShadow = 0x80000010, kLight = 0x80000014, kDark = 0x80000015;
constexpr OleColor kPicture = 0x3C1EC8, kCaptionFrame = 0xCC9999, kFocusFrame = 0xD1D1D1;

enum State { kRest, kHover, kPressed, kFocused, kDisabled };
// What a point checks:
//   kIs, kNear, kIsNot, kGrey: the pixel has the colour, within three
//     gradient steps, has another colour, is grey;
//   kCloser: each channel is closer to `color` than to `other`;
//   kHit, kMiss: the screen point over the pixel belongs to the button, not;
//   kFrame: every pixel of the frame x pixels in has the colour;
//   kSome, kNone: some pixel inside the inner frame has the colour, none;
//   kInSquare: there are pixels of the colour, all in the 10 x 10 square at the point;
//   kCopy: the ink of `other` is that of `color` moved by (x, y), seen at its outer corner;
//   kShifted: the caption, centred at rest, is drawn in the colour moved by (x, y);
//   kGrade: the caption ink turns from ForeColor (green) towards red along x (1, 0) or y (0, 1).
enum Kind {
  kIs, kNear, kIsNot, kGrey, kCloser, kHit, kMiss, kFrame, kSome, kNone, kInSquare, kCopy, kShifted, kGrade
};
struct Point { int x, y; Kind kind; OleColor color = 0, other = 0; };
struct Probe {
  std::string words;
  State state;
  std::vector<Point> points;
  int widthTwips = 1200, heightTwips = 500;
};
void PrintTo(const Probe& p, std::ostream* out) { *out << p.words << " (state " << p.state << ")"; }

const std::string kFaces = "ButtonStyle=2 Caption= BackColor=0xFF BackColorPressed=0xFF0000 BackColorHover=0xFF00 "
                           "ButtonStyleColors=";
const std::string kStyle8 = "ButtonStyle=8 ButtonStyleColors=3 BackColor=0xFF BackColorPressed=0xFF0000 Caption= ";
const std::string kSheen = "ButtonStyle=7 BackColor=0xFF Caption= ButtonShape=";
const std::string kAlign = "ButtonStyle=4 Caption=Hi CaptionAlignment=";
const std::string kEffect = "Caption=HHH FocusRect=0 EffectColor=0xFF00 CaptionEffect=";
const std::string kGrade1 = "Caption=HHHH ForeColor=0xFF00 CaptionStyle=1 ";  // towards red pressed, blue hovered
const std::string kPicture16 = "Caption= Picture=0x3C1EC8 ", kGreyed = " Caption=HHH Enabled=0";
const std::string& kMain = controlstest::kMainWindowButton;
const std::vector<Point> kSideways{{M, 10, kIs, kRed}}, kUpright{{M, 10, kIsNot, kRed}};
const std::vector<Point> kSheenSideways{{M, 10, kIs, kRed}, {5, 5, kCloser, 0xEFEFEF, kRed}};
const std::vector<Point> kAlongX{{1, 0, kGrade}}, kAlongY{{0, 1, kGrade}};

// The main window's button (outline 0, style 7, background colours 2):
// both frames whole; the sheen from the light colour at the top to the face
// colour, restarting at the face colour in the middle row and brightening
// slowly below it; the caption moved by d pixels; no focus frame.
std::vector<Point> MainLook(OleColor outer, OleColor inner, OleColor face, OleColor light, int d, OleColor caption) {
  return {{0, 0, kFrame, outer},          {1, 0, kFrame, inner},     {2, M, kIs, face},
          {6, M, kIs, face},              {-3, M, kIs, face},        {6, 2, kCloser, light, face},
          {6, -3, kCloser, face, light}, {d, d, kShifted, caption}, {4, M, kIsNot, kFocusFrame}};
}

const Probe kProbes[] = {
    {kMain, kRest, MainLook(0x8F8F8E, 0xFFFFFF, 0xD8D8D8, 0xEFEFEF, 0, kBlack), 1575, 315},
    {kMain, kHover, MainLook(0xB17F3C, 0xFFFFFF, 0xF7DBA5, 0xFEFCF7, 0, kBlack), 1575, 315},
    {kMain, kPressed, MainLook(0x5C411D, 0xCFB073, 0xEFCE92, 0xF8ECD5, 1, kBlack), 1575, 315},
    {kMain, kFocused, MainLook(0x8F8F8E, 0xFECC04, 0xD8D8D8, 0xEFEFEF, 0, kBlack), 1575, 315},
    {kMain, kDisabled, MainLook(0xB5B2AD, 0xFFFFFF, 0xF0F0F0, 0xF4F4F4, 0, kShadow), 1575, 315},
    // Face backgrounds: horizontal 2, 6, 7 and vertical 3, 4, 5.
    {kFaces + "2", kRest, {{1, M, kNear, kRed}, {-2, M, kNear, kBlue}}},
    {kFaces + "2", kHover, {{-2, M, kNear, kGreen}}}, {kFaces + "1", kPressed, {{M, M, kIs, kBlue}}},
    {kFaces + "3", kRest, {{M, 1, kNear, kBlue}, {M, -2, kNear, kRed}}},
    {kFaces + "4", kRest, {{M, M, kIs, kBlue}, {M, M - 1, kNear, kBlue}, {M, 1, kNear, kRed}}},
    {kFaces + "5", kRest, {{M, M, kIs, kRed}, {M, 1, kNear, kBlue}}},
    {kFaces + "6", kRest, {{M, M, kIs, kBlue}, {1, M, kNear, kRed}}},
    {kFaces + "7", kRest, {{M, M, kIs, kRed}, {1, M, kNear, kBlue}}},
    {"ButtonStyle=7 ButtonStyleColors=0", kRest, {{3, 3, kIs, kHost}, {0, 0, kSome, kBlack}}},
    // Borders: style 1 raised at rest and sunken pressed; the pen colours of
    // the style step for styles 2, 3, 4 and 8.
    {"Caption=", kRest, {{M, 0, kIs, kLight}, {-1, M, kIs, kDark}, {-2, M, kIs, kShadow}, {M, -2, kIs, kShadow}}},
    {"Caption=", kPressed, {{0, M, kIs, kDark}, {1, M, kIs, kShadow}, {-1, M, kIs, kLight}}},
    {"ButtonStyle=2", kPressed, {{0, M, kIs, kDark}}}, {"ButtonStyle=3 BackColor=0xFF", kRest, {{M, -1, kIs, kRed}}},
    {"ButtonStyle=4", kPressed, {{-1, M, kIs, kShadow}}},
    {"ButtonStyle=8 BackColorHover=0xFF00", kHover, {{-1, M, kIs, kGreen}}},
    // Overlays of styles 5, 6 and 8 over the face background.
    {"ButtonStyle=5 ButtonStyleColors=2 BackColor=0xFF Caption=", kRest, {{M, M, kIs, kRed}}},
    {"ButtonStyle=5 BackColorPressed=0xFF0000 Caption=", kPressed, {{M, 1, kNear, kBlue}, {M, -2, kNear, 0xA57F71}}},
    {"ButtonStyle=5 BackColorHover=0xFF00 Caption=", kHover, {{M, 1, kNear, kGreen}, {M, -2, kNear, 0xAC9891}}},
    {"ButtonStyle=6 BackColor=0xFF BackColorPressed=0xFF0000 Caption=", kRest,
     {{M, 1, kNear, kBlue}, {M, -2, kNear, kRed}}},
    {"ButtonStyle=6 BackColor=0xFF Caption=", kPressed, {{M, 3, kNear, 0xE0E6E6}}},
    {"ButtonStyle=6 Caption= Enabled=0", kRest, {{M, M, kIs, 0xDBE7E7}, {0, M, kIs, 0x8DABAB}}},
    {kStyle8, kRest, {{M, M, kIs, kRed}, {M, 1, kNear, kBlue}}}, {kStyle8, kPressed, {{M, M, kIs, kBlue}}},
    {kStyle8 + "Enabled=0", kRest, {{M, M, kIs, 0xA4B6B7}, {0, M, kIs, 0xA4B6B7}}},
    // Overlays turned on their side for the up- and down-pointing outlines only.
    {kSheen + "4", kRest, kSheenSideways}, {kSheen + "7", kRest, kSheenSideways}, {kSheen + "8", kRest, kSheenSideways},
    {kSheen + "11", kRest, kSheenSideways}, {kSheen + "5", kRest, kUpright}, {kSheen + "10", kRest, kUpright},
    {kStyle8 + "ButtonShape=4", kRest, kSideways}, {kStyle8 + "ButtonShape=11", kRest, kSideways},
    // Caption alignments, shown by style 4's focus frame 3 pixels left and
    // right of the caption and 2 above and below it.
    {kAlign + "0", kFocused, {{M, 4, kIs, kCaptionFrame}}}, {kAlign + "1", kFocused, {{3, M, kIs, kCaptionFrame}}},
    {kAlign + "3", kFocused, {{-3, M, kIs, kCaptionFrame}}}, {kAlign + "4", kFocused, {{M, -3, kIs, kCaptionFrame}}},
    {"ButtonStyle=4 Caption=", kFocused, {{0, 0, kNone, kCaptionFrame}}},
    // Caption effects: copies in EffectColor under the main text.
    {kEffect + "0", kHover, {{0, 0, kNone, kGreen}, {0, 0, kSome, kBlue}}},  // the main text in ForeColorHover
    {kEffect + "1", kRest, {{-1, -1, kCopy, kBlack, kGreen}}},
    {kEffect + "1", kPressed, {{-1, -1, kCopy, kRed, kGreen}}}, {kEffect + "2", kRest, {{1, 1, kCopy, kBlack, kGreen}}},
    {kEffect + "3", kRest, {{-1, -1, kCopy, kBlack, kGreen}, {1, 1, kCopy, kBlack, kGreen}}},
    {kEffect + "3 Enabled=0", kRest, {{0, 0, kNone, kGreen}}},
    // The disabled caption: a light copy below right for styles 1 to 3 and
    // 5, the shadow colour alone for 4, 6, 7 and 8.
    {"ButtonStyle=1" + kGreyed, kRest, {{1, 1, kCopy, kShadow, kLight}}},
    {"ButtonStyle=5" + kGreyed, kRest, {{1, 1, kCopy, kShadow, kLight}}},
    {"ButtonStyle=4" + kGreyed, kRest, {{0, 0, kNone, kLight}}},
    {"ButtonStyle=6" + kGreyed, kRest, {{0, 0, kNone, kLight}}},
    {"ButtonStyle=7" + kGreyed, kRest, {{0, 0, kNone, kLight}, {0, 0, kSome, kShadow}}},
    // Caption styles: the text regraded along the width (1) or the height
    // (2), towards ForeColorHover when hovered, also when disabled.
    {kGrade1, kRest, kAlongX}, {kGrade1 + "CaptionStyle=2", kRest, kAlongY}, {kGrade1, kPressed, kAlongX},
    {kGrade1 + "ForeColorHover=0xFF ForeColorPressed=0xFF0000", kHover, kAlongX},
    {kGrade1 + "Enabled=0", kRest, kAlongX}, {kGrade1 + "CaptionStyle=2 Enabled=0", kRest, kAlongY},
    // Pictures: placed by PictureAlignment, one pixel right and down when
    // pressed, a second copy up left when hovered with style 5, greyed at rest
    // (but for pixels of the stored BackColor) or disabled.
    {kPicture16 + "PictureAlignment=0", kRest, {{M, 5, kIs, kPicture}, {M, 4, kIsNot, kPicture}}},
    {kPicture16 + "PictureAlignment=1", kRest, {{5, M, kIs, kPicture}, {4, M, kIsNot, kPicture}}},
    {kPicture16 + "PictureAlignment=3", kRest, {{-6, M, kIs, kPicture}, {-5, M, kIsNot, kPicture}}},
    {kPicture16 + "PictureAlignment=4", kRest, {{M, -6, kIs, kPicture}, {M, -5, kIsNot, kPicture}}},
    {kPicture16, kRest, {{32, 8, kIs, kPicture}, {31, 7, kIsNot, kPicture}, {48, 24, kIsNot, kPicture}}},
    {kPicture16, kPressed, {{48, 24, kIs, kPicture}, {32, 8, kIsNot, kPicture}}},
    {kPicture16 + "ButtonStyle=5", kHover, {{31, 7, kIs, kPicture}}},
    {kPicture16 + "PictureGray=1", kHover, {{31, 7, kIsNot, kPicture}, {32, 8, kIs, kPicture}, {M, M, kIs, kPicture}}},
    {kPicture16 + "PictureGray=1", kRest, {{M, M, kIs, 0xC8C8C8}}}, {kPicture16 + "Enabled=0", kRest, {{M, M, kGrey}}},
    {kPicture16 + "PictureGray=1 BackColor=0x3C1EC8", kRest, {{M, M, kIs, kPicture}}},
    {"Caption= Picture=0x8000000D BackColor=0x8000000D Enabled=0", kRest, {{M, M, kGrey}}},
    // Focus: every other pixel of a frame four pixels in turns black.
    {"Caption=", kFocused,
     {{4, 6, kIs, kBlack}, {4, 7, kIs, kFocusFrame}, {6, 4, kIs, kBlack}, {7, 4, kIs, kFocusFrame},
      {-5, 7, kIs, kBlack}, {-5, 6, kIs, kFocusFrame}, {6, -5, kIs, kBlack}, {3, 3, kIsNot, kBlack}}},
    {"Caption=", kRest, {{4, 6, kIsNot, kBlack}}}, {"Caption= FocusRect=0", kFocused, {{4, 6, kIsNot, kBlack}}},
    {"ButtonStyle=8 Caption=", kFocused, {{4, 6, kIs, kBlack}, {4, 7, kIs, kFocusFrame}}},
    {"ButtonStyle=6 Caption=", kFocused, {{0, 0, kNone, kBlack}}},
    {"ButtonStyle=7 BackColor=0xFECC04 Caption=", kFocused, {{6, M, kIs, 0xFECC04}}},  // the face keeps the pen colour
    // The drop-down mark, in the square right of and below its anchor.
    {"DropDown=1 Caption=", kRest, {{2, M - 8, kInSquare, kBlack}}},
    {"DropDown=2 Caption=", kRest, {{-21, M - 8, kInSquare, kBlack}}},
    // Outlines as the window's visible area (shapes 2 to 11 are squared).
    {"ButtonShape=0", kRest, {{0, 0, kHit}, {-1, -1, kHit}}},
    {"ButtonShape=1", kRest, {{0, 0, kMiss}, {M, 0, kHit}, {-1, -1, kMiss}, {M, 40, kMiss}}},  // not squared
    {"ButtonShape=2", kRest, {{6, 6, kMiss}, {M, 2, kHit}, {2, M, kHit}, {M, 75, kHit}}},
    {"ButtonShape=3", kRest, {{M, 3, kHit}, {5, 5, kMiss}, {-5, -5, kMiss}}},
    {"ButtonShape=4", kRest, {{M, 5, kHit}, {5, 5, kMiss}, {5, -3, kHit}}},
    {"ButtonShape=5", kRest, {{5, M, kHit}, {5, 5, kMiss}}}, {"ButtonShape=6", kRest, {{-5, M, kHit}, {-5, 5, kMiss}}},
    {"ButtonShape=7", kRest, {{M, -5, kHit}, {5, -5, kMiss}, {M, 0, kMiss}}},
    {"ButtonShape=8", kRest, {{M, -10, kHit}, {24, -10, kMiss}, {10, 50, kHit}, {10, 57, kMiss}}},
    {"ButtonShape=9", kRest, {{-10, M, kHit}, {-10, 24, kMiss}, {50, 10, kHit}, {57, 10, kMiss}}},
    {"ButtonShape=10", kRest, {{10, M, kHit}, {10, 24, kMiss}, {30, 10, kHit}, {23, 10, kMiss}}},
    {"ButtonShape=11", kRest, {{M, 10, kHit}, {24, 10, kMiss}, {10, 30, kHit}, {10, 23, kMiss}}},
};

class ButtonProbe : public controlstest::ButtonTest, public ::testing::WithParamInterface<Probe> {
 protected:
  // The sizes used halve to an even pixel or to x.5, which rounds to the even one below.
  int Pos(int v, int size) const { return v >= M / 2 ? size / 2 + v - M : v < 0 ? size + v : v; }
  // How much redder the caption ink (green to red, no blue) is at its last
  // column (row) than at its first.
  int Grade(bool alongX) const {
    std::map<int, int> red;  // column (row) -> red of the ink there
    for (int y = 2; y < h_ - 2; ++y) {
      for (int x = 2; x < w_ - 2; ++x) {
        const COLORREF c = At(x, y);
        if (GetBValue(c) == 0 && std::abs(GetRValue(c) + GetGValue(c) - 255) <= 3) red[alongX ? x : y] = GetRValue(c);
      }
    }
    return red.empty() ? 0 : red.rbegin()->second - red.begin()->second;
  }
};

TEST_P(ButtonProbe, Shows) {
  const Probe& probe = GetParam();
  host_.SetBackground(kHost);
  Load(probe.words, probe.widthTwips, probe.heightTwips);
  const RECT rest = InkOf(kBlack);
  if (probe.state == kHover) Hover();
  if (probe.state == kPressed) SendMessageA(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w_ / 2, h_ / 2));
  if (probe.state == kFocused) SetFocus(Hwnd());
  if (probe.state == kDisabled) button_.Enabled(false);
  Measure();
  for (const Point& p : probe.points) {
    const int x = Pos(p.x, w_), y = Pos(p.y, h_);
    const COLORREF color = controls::ResolveColor(p.color), pixel = At(x, y), to = controls::ResolveColor(p.other);
    const RECT ink = InkOf(color), other = InkOf(to);
    const bool inked = ink.right >= ink.left;
    SCOPED_TRACE("kind " + std::to_string(p.kind) + " at " + std::to_string(x) + "," + std::to_string(y) + ": " +
                 testsupport::Hex(pixel));
    switch (p.kind) {
      case kIs: EXPECT_EQ(pixel, color) << testsupport::Hex(color); break;
      case kNear: EXPECT_TRUE(testsupport::NearColor(pixel, color, 24)) << testsupport::Hex(color); break;
      case kIsNot: EXPECT_NE(pixel, color); break;
      case kGrey: EXPECT_TRUE(GetRValue(pixel) == GetGValue(pixel) && GetGValue(pixel) == GetBValue(pixel)); break;
      case kCloser:
        for (int shift : {0, 8, 16}) {
          const int v = (pixel >> shift) & 0xFF, a = (color >> shift) & 0xFF, b = (to >> shift) & 0xFF;
          EXPECT_LT(std::abs(v - a), std::abs(v - b)) << "bits " << shift;
        }
        break;
      case kHit: EXPECT_EQ(testsupport::WindowAt(Hwnd(), x, y), Hwnd()); break;
      case kMiss: EXPECT_NE(testsupport::WindowAt(Hwnd(), x, y), Hwnd()); break;
      case kFrame:
        for (int i = p.x; i < w_ - p.x; ++i) ASSERT_TRUE(At(i, p.x) == color && At(i, h_ - 1 - p.x) == color) << i;
        for (int i = p.x; i < h_ - p.x; ++i) ASSERT_TRUE(At(p.x, i) == color && At(w_ - 1 - p.x, i) == color) << i;
        break;
      case kSome: EXPECT_TRUE(inked); break;
      case kNone: EXPECT_FALSE(inked); break;
      case kInSquare:
        EXPECT_TRUE(inked && ink.left >= x && ink.top >= y && ink.right < x + 10 && ink.bottom < y + 10);
        break;
      case kCopy:
        EXPECT_TRUE(inked);
        EXPECT_EQ(p.x < 0 ? other.left : other.right, (p.x < 0 ? ink.left : ink.right) + p.x);
        EXPECT_EQ(p.y < 0 ? other.top : other.bottom, (p.y < 0 ? ink.top : ink.bottom) + p.y);
        break;
      case kShifted:
        EXPECT_TRUE(std::abs(rest.left + rest.right + 1 - w_) <= 3 && std::abs(rest.top + rest.bottom + 1 - h_) <= 3);
        EXPECT_TRUE(ink.left - rest.left == p.x && ink.right - rest.right == p.x && ink.top - rest.top == p.y &&
                    ink.bottom - rest.bottom == p.y);
        break;
      case kGrade: EXPECT_GT(Grade(p.x == 1), 40); break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonProbe, ::testing::ValuesIn(kProbes));

}  // namespace
