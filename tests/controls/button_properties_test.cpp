// Button properties: setters and their presets, host notifications, and the
// stored properties loaded from and written to a property bag.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/controls/control_host.h"

namespace {

using controlstest::ControlHost;

class ButtonProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Window(), nullptr) << "no display: window creation failed";
    site_.name = "cmdExit";
    site_.font.FaceName = "Arial";
    site_.font.Size = 9.75;
    ASSERT_TRUE(button_.Create(host_.Window(), 3, site_));
    button_.events.PropertyChanged = [this](const char* name) { changed_.push_back(name); };
  }

  ControlHost host_;
  controls::ControlSite site_;
  controls::Button button_;
  std::vector<std::string> changed_;
};

TEST_F(ButtonProperties, StylePresetsSetTheFaceColoursAndSometimesTheBackgroundVariant) {
  button_.InitProperties();
  EXPECT_TRUE(changed_.empty()) << "a new control tells the host of no change";

  button_.ButtonStyle(7);
  EXPECT_EQ(button_.BackColor(), 0xD8D8D8u);
  EXPECT_EQ(button_.BackColorHover(), 0xF7DBA5u);
  EXPECT_EQ(button_.BackColorPressed(), 0xEFCE92u);
  // The repaint's style step stored the border colours of style 7.
  EXPECT_EQ(button_.BorderColor(), 0x8F8F8Eu);
  EXPECT_EQ(button_.BorderColorHover(), 0xB17F3Cu);
  EXPECT_EQ(button_.BorderColorPressed(), 0x5C411Du);
  EXPECT_EQ(changed_, (std::vector<std::string>{"ButtonStyle"}));

  button_.ButtonStyleColors(5);
  button_.ButtonStyle(4);
  EXPECT_EQ(button_.ButtonStyleColors(), 1);
  EXPECT_EQ(button_.BackColorPressed(), 0x999999u);
  button_.ButtonStyleColors(0);
  button_.ButtonStyle(4);
  EXPECT_EQ(button_.ButtonStyleColors(), 0);
  button_.ButtonStyle(6);
  EXPECT_EQ(button_.ButtonStyleColors(), 0);
  button_.ButtonStyleColors(2);
  button_.ButtonStyle(6);
  EXPECT_EQ(button_.ButtonStyleColors(), 3);
  EXPECT_EQ(button_.BackColor(), 0xD2DEDDu);

  // Values outside the table are stored and set nothing.
  button_.ButtonStyle(42);
  EXPECT_EQ(button_.ButtonStyle(), 42);
  EXPECT_EQ(button_.BackColor(), 0xD2DEDDu);
}

TEST_F(ButtonProperties, ThemesSetFaceAndBorderColoursOnlyForOneToEight) {
  button_.InitProperties();
  button_.ButtonStyle(9);  // no style step overwrites the border colours
  button_.ButtonTheme(6);
  EXPECT_EQ(button_.BackColor(), 0x26368Bu);
  EXPECT_EQ(button_.BackColorHover(), 0x4763FFu);
  EXPECT_EQ(button_.BackColorPressed(), 0x425CEEu);
  EXPECT_EQ(button_.BorderColor(), 0x0000FFu);
  EXPECT_EQ(button_.BorderColorPressed(), 0x0000FFu);
  EXPECT_EQ(button_.BorderColorHover(), 0x0000FFu);

  for (int theme : {0, 9}) {
    button_.ButtonTheme(theme);
    EXPECT_EQ(button_.ButtonTheme(), theme);
    EXPECT_EQ(button_.BackColor(), 0x26368Bu);
    EXPECT_EQ(button_.BorderColor(), 0x0000FFu);
  }
}

TEST_F(ButtonProperties, EverySetterTellsTheHostAndRepaints) {
  button_.InitProperties();
  const auto repaints = button_.RepaintCount();
  button_.Caption("Exit");
  button_.Enabled(false);
  button_.ForeColor(0x123456);
  button_.FocusRect(false);
  button_.MousePointer(11);
  EXPECT_EQ(changed_, (std::vector<std::string>{"Caption", "Enabled", "ForeColor", "FocusRect", "MousePointer"}));
  EXPECT_EQ(button_.RepaintCount(), repaints + 5);
  EXPECT_FALSE(IsWindowEnabled(button_.hwnd()));
  char text[32] = {};
  GetWindowTextA(button_.hwnd(), text, sizeof(text));
  EXPECT_STREQ(text, "Exit");
}

TEST_F(ButtonProperties, MousePointerHoldsSixteenBits) {
  button_.MousePointer(-1);
  EXPECT_EQ(button_.MousePointer(), -1);
  button_.MousePointer(99);
  changed_.clear();
  EXPECT_THROW(button_.MousePointer(70000), std::overflow_error);
  EXPECT_THROW(button_.MousePointer(-32769), std::overflow_error);
  EXPECT_EQ(button_.MousePointer(), 99);
  EXPECT_TRUE(changed_.empty());
}

TEST_F(ButtonProperties, LoadingAnEmptyBagGivesTheDefaults) {
  button_.ReadProperties(controls::PropertyBag());
  const controls::ButtonProperties& loaded = button_.Properties();
  EXPECT_EQ(loaded.ButtonShape, 0);
  EXPECT_EQ(loaded.ButtonStyle, 1);
  EXPECT_EQ(loaded.ButtonStyleColors, 1);
  EXPECT_EQ(loaded.CaptionAlignment, 2);
  EXPECT_EQ(loaded.PictureAlignment, 2);
  EXPECT_EQ(loaded.BackColor, 0x8000000Fu);
  EXPECT_EQ(loaded.ForeColorPressed, 0x0000FFu);
  EXPECT_EQ(loaded.ForeColorHover, 0xFF0000u);
  EXPECT_EQ(loaded.EffectColor, 0xFFFFFFu);
  EXPECT_TRUE(loaded.FocusRect);
  EXPECT_FALSE(loaded.Value);
  EXPECT_EQ(loaded.Picture, nullptr);
  EXPECT_EQ(button_.Caption(), "cmdExit");  // the instance name
  EXPECT_EQ(button_.Font(), site_.font);    // the host's font
  EXPECT_TRUE(button_.Enabled());
  EXPECT_EQ(button_.MousePointer(), 0);
  EXPECT_TRUE(changed_.empty()) << "loading tells the host of no change";
}

TEST_F(ButtonProperties, LoadingTakesStoredColoursAsStored) {
  controls::PropertyBag bag = controlstest::MainWindowButtonBag("Exit");
  bag.Set("backcolor", std::int64_t{0x123456});
  bag.Set("BackColorHover", std::int64_t{-2147483633});  // 0x8000000F stored signed
  button_.ReadProperties(bag);
  EXPECT_EQ(button_.ButtonStyle(), 7);
  EXPECT_EQ(button_.BackColor(), 0x123456u);
  EXPECT_EQ(button_.BackColorHover(), 0x8000000Fu);
  EXPECT_EQ(button_.BackColorPressed(), 0xEFCE92u);
  EXPECT_EQ(button_.ForeColorPressed(), 0u);
  EXPECT_EQ(button_.ForeColorHover(), 0u);
  EXPECT_EQ(button_.Caption(), "Exit");
  EXPECT_EQ(button_.Font().FaceName, "Tahoma");

  // Assigning the same style at run time applies its preset.
  button_.ButtonStyle(7);
  EXPECT_EQ(button_.BackColor(), 0xD8D8D8u);
  EXPECT_EQ(button_.BackColorHover(), 0xF7DBA5u);
}

TEST_F(ButtonProperties, StoredMousePointerOutOfRangeFailsAndKeepsTheOldCode) {
  button_.MousePointer(11);
  controls::PropertyBag bag;
  bag.Set("Caption", std::string("Exit"));
  bag.Set("MousePointer", std::int64_t{70000});
  EXPECT_THROW(button_.ReadProperties(bag), std::overflow_error);
  EXPECT_EQ(button_.MousePointer(), 11);
  EXPECT_EQ(button_.Caption(), "Exit");  // the keys before it were loaded
}

TEST_F(ButtonProperties, WrittenPropertiesLoadBackAndLeaveDefaultsOut) {
  button_.InitProperties();
  button_.ButtonStyle(7);
  button_.Caption("Start Search");
  button_.ButtonType(1);
  button_.Enabled(false);
  controls::PropertyBag bag;
  button_.WriteProperties(bag);

  std::vector<std::string> keys;
  for (const auto& entry : bag.Entries()) keys.push_back(entry.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"ButtonStyle", "ButtonType", "BackColor", "BackColorPressed",
                                            "BackColorHover", "BorderColor", "BorderColorPressed",
                                            "BorderColorHover", "Caption", "Enabled", "Font"}));

  controls::Button copy;
  ASSERT_TRUE(copy.Create(host_.Window(), 4, site_));
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.ButtonStyle(), 7);
  EXPECT_EQ(copy.ButtonType(), 1);
  EXPECT_EQ(copy.BackColorHover(), 0xF7DBA5u);
  EXPECT_EQ(copy.BorderColorPressed(), 0x5C411Du);
  EXPECT_EQ(copy.Caption(), "Start Search");
  EXPECT_FALSE(copy.Enabled());
  EXPECT_EQ(copy.Font(), button_.Font());
}

TEST_F(ButtonProperties, WmSetFontAndWmSetTextReachTheProperties) {
  button_.InitProperties();
  controls::FontSpec bold;
  bold.FaceName = "Arial";
  bold.Size = 12;
  bold.Bold = true;
  controls::FontHandle font = controls::CreateFontFor(bold, host_.Dpi());
  SendMessageA(button_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  EXPECT_EQ(button_.Font(), bold);
  EXPECT_NE(SendMessageA(button_.hwnd(), WM_GETFONT, 0, 0), 0);
  SetWindowTextA(button_.hwnd(), "Remove");
  EXPECT_EQ(button_.Caption(), "Remove");
  EXPECT_EQ(changed_, (std::vector<std::string>{"Font", "Caption"}));
}

}  // namespace
