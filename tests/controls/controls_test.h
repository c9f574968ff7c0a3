// What the controls tests share: a Button in a test window, loaded from a
// list of stored properties, and its off-screen image read back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "controls/button.h"
#include "controls/dpi.h"
#include "tests/support/input.h"
#include "tests/support/pixels.h"
#include "tests/support/test_window.h"

namespace controlstest {

using testsupport::Pump;

// A 16 x 16 picture of one colour.
inline controls::PicturePtr SolidPicture(COLORREF c) {
  const std::vector<DWORD> pixels(256, (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
  return controls::PictureImage::FromBitmap(CreateBitmap(16, 16, 1, 32, pixels.data()));
}

// Stored properties from words "Key=value": numbers as in C, a Caption with
// "_" for blanks, a Picture by the colour of a solid picture.
inline controls::PropertyBag Bag(const std::string& words) {
  controls::PropertyBag bag;
  std::istringstream in(words);
  for (std::string word; in >> word;) {
    std::string key = word.substr(0, word.find('=')), value = word.substr(key.size() + 1);
    std::replace(value.begin(), value.end(), '_', ' ');
    const std::int64_t number = key == "Caption" ? 0 : std::stoll(value, nullptr, 0);
    if (key == "Caption") bag.Set(key, value);
    if (key == "Picture") bag.Set(key, SolidPicture(controls::ResolveColor(static_cast<controls::OleColor>(number))));
    if (key != "Caption" && key != "Picture") bag.Set(key, number);
  }
  return bag;
}

// The main window's stored button (its layout keeps the keys in lower case).
inline const std::string kMainWindowButton =
    "buttonstyle=7 buttonstylecolors=2 backcolor=0xD8D8D8 backcolorpressed=0xEFCE92 backcolorhover=0xF7DBA5 "
    "bordercolor=0x8F8F8E bordercolorpressed=0x5C411D bordercolorhover=0xB17F3C forecolorpressed=0 "
    "forecolorhover=0 Caption=Start_Search";

// A Button in a shown test window, loaded from stored properties.
class ButtonTest : public ::testing::Test {
 protected:
  static constexpr int kId = 7;

  void Create() {
    ASSERT_NE(host_.Handle(), nullptr) << "no display: window creation failed";
    ASSERT_EQ(controls::WindowDpi(host_.Handle()), 96u) << "the positions below are those of 96 DPI";
    ASSERT_TRUE(button_.Create(host_.Handle(), kId, site_));
    button_.events.PropertyChanged = [this](const char* name) { changed_.push_back(name); };
  }
  void Load(const std::string& words, int widthTwips = 1200, int heightTwips = 500) {
    site_.font.FaceName = "Tahoma";
    Create();
    if (HasFatalFailure()) return;
    button_.ReadProperties(Bag(words));
    button_.Move(300, 300, widthTwips, heightTwips);
    SetCursorPos(0, 0);
    Pump();
    Measure();
  }
  void Measure() {
    RECT client{};
    GetClientRect(button_.hwnd(), &client);
    w_ = client.right, h_ = client.bottom;
  }
  HWND Hwnd() const { return button_.hwnd(); }
  COLORREF At(int x, int y) const { return GetPixel(button_.hDC(), x, y); }
  void Hover() { testsupport::MovePointer(Hwnd(), w_ / 2, h_ / 2); }

  // The box of the pixels of a colour inside the inner frame.
  RECT InkOf(COLORREF color) const { return testsupport::InkBox(button_.hDC(), RECT{2, 2, w_ - 2, h_ - 2}, color); }

  testsupport::TestWindow host_;
  controls::ControlSite site_{"cmdStart", {}, true};
  controls::Button button_;
  std::vector<std::string> changed_;
  int w_ = 0;
  int h_ = 0;
};

}  // namespace controlstest
