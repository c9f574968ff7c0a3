// Button properties: a new control, setters and their presets, host
// notifications, and the stored properties loaded from and written to a bag.
#include <array>
#include <stdexcept>

#include "tests/controls/controls_test.h"

namespace {

using Names = std::vector<std::string>;

class ButtonProperties : public controlstest::ButtonTest {
 protected:
  void SetUp() override {
    site_.font.FaceName = "Arial";
    Create();
    button_.InitProperties();
    Measure();
  }
  static Names Keys(const controls::Button& button) {
    controls::PropertyBag bag;
    button.WriteProperties(bag);
    Names keys;
    for (const auto& entry : bag.Entries()) keys.push_back(entry.key);
    return keys;
  }
};

TEST_F(ButtonProperties, NewControlTakesTheStoredDefaultsSilentlyAndRefreshes) {
  EXPECT_TRUE(w_ == 80 && h_ == 33);  // 1200 x 500 twips
  EXPECT_TRUE(button_.Caption() == "cmdStart" && button_.Font().FaceName == "Tahoma" && changed_.empty());
  // Every field has its stored default but the font and the border colours,
  // which the repaint's style step wrote.
  EXPECT_EQ(Keys(button_), (Names{"BorderColor", "BorderColorPressed", "BorderColorHover", "Font"}));
  // Outline 0 after a squared one: no region, the square kept.
  button_.ButtonShape(controls::kShapeDiamond);
  EXPECT_NE(button_.ShapeRegion(), nullptr);
  button_.ButtonShape(controls::kShapeRectangle);
  RECT box;
  Measure();
  EXPECT_TRUE(button_.ShapeRegion() == nullptr && GetWindowRgnBox(Hwnd(), &box) == ERROR && h_ == 80);
  // Refresh copies the image to the screen without a repaint.
  const auto repaints = button_.RepaintCount();
  HDC dc = GetDC(Hwnd());
  const RECT all{0, 0, w_, h_};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  button_.Refresh();
  EXPECT_TRUE(GetPixel(dc, w_ / 2, 0) == At(w_ / 2, 0) && GetPixel(dc, 1, h_ / 2) == At(1, h_ / 2));
  ReleaseDC(Hwnd(), dc);
  EXPECT_EQ(button_.RepaintCount(), repaints);
}

TEST_F(ButtonProperties, StylesAndThemesApplyTheirColoursOnAssignmentOnly) {
  button_.ButtonStyle(7);
  EXPECT_TRUE(button_.BackColor() == 0xD8D8D8u && button_.BackColorHover() == 0xF7DBA5u &&
              button_.BackColorPressed() == 0xEFCE92u);
  EXPECT_EQ(button_.BorderColorHover(), 0xB17F3Cu);  // stored by the repaint's style step
  // Styles 4 and 6 switch a background variant other than 0 to 1 and 3.
  for (auto [before, style, after] : {std::array<int, 3>{5, 4, 1}, {0, 4, 0}, {0, 6, 0}, {2, 6, 3}}) {
    button_.ButtonStyleColors(before);
    button_.ButtonStyle(style);
    EXPECT_EQ(button_.ButtonStyleColors(), after) << "style " << style << " over " << before;
  }
  button_.ButtonStyle(42);  // stored, sets nothing
  EXPECT_TRUE(button_.ButtonStyle() == 42 && button_.BackColor() == 0xD2DEDDu);
  button_.ButtonTheme(6);
  EXPECT_TRUE(button_.BackColor() == 0x26368Bu && button_.BorderColorPressed() == 0x0000FFu);
  for (int theme : {0, 9}) {
    button_.ButtonTheme(theme);
    EXPECT_TRUE(button_.ButtonTheme() == theme && button_.BackColor() == 0x26368Bu) << theme;
  }
  // Loading takes the stored colours as stored.
  button_.ReadProperties(controlstest::Bag("ButtonStyle=7 ButtonTheme=6 BackColor=0x1234 BackColorHover=-2147483633"));
  EXPECT_TRUE(button_.BackColor() == 0x1234u && button_.BackColorHover() == 0x8000000Fu);
}

TEST_F(ButtonProperties, SettersTellTheHostAndRepaint) {
  const auto repaints = button_.RepaintCount();
  button_.Caption("Exit");
  button_.Enabled(false);
  button_.ForeColor(0x123456);
  button_.FocusRect(false);
  button_.MousePointer(-1);
  EXPECT_EQ(changed_, (Names{"Caption", "Enabled", "ForeColor", "FocusRect", "MousePointer"}));
  EXPECT_EQ(button_.RepaintCount(), repaints + 5);
  char text[32] = {};
  GetWindowTextA(Hwnd(), text, sizeof(text));
  EXPECT_TRUE(!IsWindowEnabled(Hwnd()) && std::string(text) == "Exit" && button_.MousePointer() == -1);
  // MousePointer holds 16 bits: a value beyond fails and changes nothing.
  EXPECT_THROW(button_.MousePointer(32768), std::overflow_error);
  EXPECT_THROW(button_.MousePointer(-32769), std::overflow_error);
  EXPECT_TRUE(button_.MousePointer() == -1 && changed_.size() == 5u);
  // WM_SETFONT and WM_SETTEXT go through the setters too.
  controls::FontSpec bold;
  bold.Bold = true;
  controls::FontHandle font = controls::CreateFontFor(bold, 96);
  SendMessageA(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  SetWindowTextA(Hwnd(), "Remove");
  EXPECT_TRUE(button_.Font() == bold && SendMessageA(Hwnd(), WM_GETFONT, 0, 0) != 0);
  EXPECT_TRUE(button_.Caption() == "Remove" && changed_.size() == 7u);
}

TEST_F(ButtonProperties, StoredPropertiesLeaveDefaultsOutAndLoadBack) {
  button_.ButtonStyle(7);
  button_.Caption("Start Search");
  button_.ButtonType(1);
  button_.Enabled(false);
  const Names keys{"ButtonStyle", "ButtonType", "BackColor", "BackColorPressed", "BackColorHover", "BorderColor",
                   "BorderColorPressed", "BorderColorHover", "Caption", "Enabled", "Font"};
  EXPECT_EQ(Keys(button_), keys);
  controls::PropertyBag bag;
  button_.WriteProperties(bag);
  controls::Button copy;
  ASSERT_TRUE(copy.Create(host_.Handle(), 4, site_));
  copy.ReadProperties(bag);
  EXPECT_EQ(Keys(copy), keys);
  EXPECT_TRUE(copy.BackColorHover() == 0xF7DBA5u && copy.Caption() == "Start Search" && !copy.Enabled() &&
              copy.Font() == button_.Font());
  button_.ButtonType(0);
  button_.WriteProperties(bag);  // over the same bag: a default removes what was stored
  EXPECT_FALSE(bag.Contains("buttontype"));
  // Missing keys give their defaults; Font and MouseIcon are loaded through
  // their setters, so the host hears of them alone.
  changed_.clear();
  button_.ReadProperties(controls::PropertyBag());
  EXPECT_TRUE(button_.ForeColorHover() == 0xFF0000u && button_.FocusRect() && button_.Enabled());
  EXPECT_TRUE(button_.Caption() == "cmdStart" && button_.Font() == site_.font);  // the instance's name, the host's font
  EXPECT_EQ(changed_, (Names{"Font", "MouseIcon"}));
  // A stored value out of range or of the wrong type fails there, after the
  // keys before it.
  EXPECT_THROW(button_.ReadProperties(controlstest::Bag("Caption=Exit MousePointer=70000")), std::overflow_error);
  EXPECT_TRUE(button_.Caption() == "Exit" && button_.MousePointer() == 0);
  EXPECT_THROW(button_.ReadProperties(controlstest::Bag("ButtonShape=3000000000")), std::overflow_error);
  bag.Set("font", std::string("Tahoma"));
  EXPECT_THROW(copy.ReadProperties(bag), controls::PropertyTypeError);
}

TEST_F(ButtonProperties, CaptionAlignmentOutsideTheTableKeepsTheCaptionBox) {
  button_.ButtonStyle(4);
  button_.CaptionAlignment(3);
  button_.Caption("Hi");
  SetFocus(Hwnd());
  ASSERT_EQ(At(w_ - 3, h_ / 2), 0xCC9999u);  // right side of the focus frame around the caption
  button_.CaptionAlignment(9);
  button_.Caption("A longer caption");
  EXPECT_EQ(At(w_ - 3, h_ / 2), 0xCC9999u);
}

}  // namespace
