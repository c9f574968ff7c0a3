// How pointer, mouse buttons, keys and focus drive a Button's state, look
// and events, through real window messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/cursor_code.h"
#include "tests/controls/control_host.h"

namespace {

using controlstest::ControlHost;
using controlstest::MovePointerTo;
using controlstest::SendClick;
using Log = std::vector<std::string>;

constexpr int kButtonId = 7;
constexpr COLORREF kFrameRest = 0x8F8F8E;
constexpr COLORREF kFrameHover = 0xB17F3C;
constexpr COLORREF kFramePressed = 0x5C411D;

class ButtonInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.Window(), nullptr) << "no display: window creation failed";
    button_ = std::make_unique<controls::Button>();
    ASSERT_TRUE(button_->Create(host_.Window(), kButtonId, {"cmdStart", controls::FontSpec{}}));
    button_->ReadProperties(controlstest::MainWindowButtonBag("Start Search"));
    button_->Move(300, 300, 1575, 315);
    RECT client;
    GetClientRect(button_->hwnd(), &client);
    w_ = client.right;
    h_ = client.bottom;
    SetCursorPos(0, 0);
    ControlHost::Pump();
    Record();
  }

  // Records every event; each entry also notes the outer frame colour the
  // handler saw, so that the order "state, repaint, event" is checked too.
  void Record() {
    auto& e = button_->events;
    auto note = [this](const char* name) { log_.push_back(name); frames_.push_back(Frame()); };
    e.Click = [=] { note("Click"); };
    e.DblClick = [=] { note("DblClick"); };
    e.MouseDown = [=](std::int16_t& b, std::int16_t&, float& x, float& y) {
      note("MouseDown");
      lastButton_ = b;
      lastX_ = x;
      lastY_ = y;
    };
    e.MouseUp = [=](std::int16_t&, std::int16_t&, float&, float&) { note("MouseUp"); };
    e.MouseMove = [this](std::int16_t&, std::int16_t&, float&, float&) { ++moves_; };
    e.KeyDown = [=](std::int16_t& key, std::int16_t&) {
      note("KeyDown");
      if (swallowKeys_) key = 0;
    };
    e.KeyPress = [=](std::int16_t&) { note("KeyPress"); };
    e.KeyUp = [=](std::int16_t&, std::int16_t&) { note("KeyUp"); };
  }

  COLORREF Frame() const { return GetPixel(button_->hDC(), 0, h_ / 2); }
  HWND Hwnd() const { return button_->hwnd(); }

  ControlHost host_;
  std::unique_ptr<controls::Button> button_;
  int w_ = 0;
  int h_ = 0;
  Log log_;
  std::vector<COLORREF> frames_;
  int moves_ = 0;
  bool swallowKeys_ = false;
  std::int16_t lastButton_ = -1;
  float lastX_ = -1;
  float lastY_ = -1;
};

TEST_F(ButtonInput, ClickRaisesDownUpClickEachAfterItsRepaint) {
  MovePointerTo(Hwnd(), w_ / 2, h_ / 2);
  ASSERT_TRUE(button_->Hover());
  SendClick(Hwnd(), 10, 5);

  EXPECT_EQ(log_, (Log{"MouseDown", "MouseUp", "Click"}));
  // Pressed look when MouseDown arrives; hover look again at MouseUp and Click.
  EXPECT_EQ(frames_, (std::vector<COLORREF>{kFramePressed, kFrameHover, kFrameHover}));
  EXPECT_EQ(lastButton_, controls::kMouseLeft);
  EXPECT_EQ(lastX_, 10.0f);
  EXPECT_EQ(lastY_, 5.0f);
  // The press took the focus; the parent heard of the click like from a standard button.
  EXPECT_TRUE(button_->HasFocus());
  EXPECT_EQ(host_.ClickedIds(), (std::vector<int>{kButtonId}));
  // After the release the control holds the capture, to see the pointer leave.
  EXPECT_EQ(GetCapture(), Hwnd());
}

TEST_F(ButtonInput, DoubleClickOrder) {
  SendClick(Hwnd(), 10, 5);
  SendMessageA(Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
  EXPECT_TRUE(button_->Pressed());
  SendMessageA(Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));

  EXPECT_EQ(log_, (Log{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));
  EXPECT_EQ(frames_[3], kFramePressed);
  EXPECT_FALSE(button_->Pressed());
}

TEST_F(ButtonInput, PressDraggedOffTheButtonReturnsToNormalAndDoesNotClick) {
  MovePointerTo(Hwnd(), w_ / 2, h_ / 2);
  SendMessageA(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w_ / 2, h_ / 2));
  ASSERT_EQ(Frame(), kFramePressed);

  MovePointerTo(Hwnd(), w_ + 20, h_ / 2);
  EXPECT_FALSE(button_->Hover());
  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(Frame(), kFrameRest);
  EXPECT_NE(GetCapture(), Hwnd());

  // Without the capture the release goes to the window under the pointer.
  POINT screen{w_ + 20, h_ / 2};
  ClientToScreen(Hwnd(), &screen);
  EXPECT_NE(WindowFromPoint(screen), Hwnd());
  // Even a release that does reach the control outside its area is no click.
  SendMessageA(Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(w_ + 20, h_ / 2));
  EXPECT_EQ(log_, (Log{"MouseDown", "MouseUp"}));
  EXPECT_TRUE(host_.ClickedIds().empty());
}

TEST_F(ButtonInput, EnteringAndLeavingRepaintOnceEachMovingInsideNever) {
  // Not pumping: only the five movement notifications sent here arrive.
  using controlstest::SendPointerMove;
  const auto start = button_->RepaintCount();
  SendPointerMove(Hwnd(), w_ + 30, h_ + 30);  // outside: Hover starts false, nothing to redraw
  EXPECT_EQ(button_->RepaintCount(), start);

  SendPointerMove(Hwnd(), 3, 3);
  EXPECT_EQ(button_->RepaintCount(), start + 1);
  EXPECT_EQ(Frame(), kFrameHover);
  SendPointerMove(Hwnd(), 20, 10);
  SendPointerMove(Hwnd(), w_, h_);  // the right and bottom edges still count as inside
  EXPECT_TRUE(button_->Hover());
  EXPECT_EQ(button_->RepaintCount(), start + 1);

  SendPointerMove(Hwnd(), w_ + 1, h_ / 2);
  EXPECT_EQ(button_->RepaintCount(), start + 2);
  EXPECT_EQ(Frame(), kFrameRest);
  EXPECT_EQ(moves_, 5);  // one MouseMove per movement notification
}

TEST_F(ButtonInput, DesignModeIgnoresPointerMovement) {
  button_->UserMode(false);
  MovePointerTo(Hwnd(), w_ / 2, h_ / 2);
  EXPECT_FALSE(button_->Hover());
  EXPECT_NE(GetCapture(), Hwnd());
  EXPECT_EQ(moves_, 0);
}

TEST_F(ButtonInput, SpaceHeldShowsPressedAndItsReleaseClicks) {
  SetFocus(Hwnd());
  ControlHost::Pump();
  SendMessageA(Hwnd(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageA(Hwnd(), WM_KEYDOWN, VK_SPACE, 0x40390001);  // auto-repeat
  SendMessageA(Hwnd(), WM_CHAR, ' ', 0x40390001);
  EXPECT_TRUE(button_->Pressed());
  EXPECT_EQ(Frame(), kFramePressed);
  SendMessageA(Hwnd(), WM_KEYUP, VK_SPACE, 0xC0390001);

  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(Frame(), kFrameRest);
  EXPECT_EQ(log_, (Log{"KeyDown", "KeyDown", "KeyPress", "KeyUp", "Click"}));
  EXPECT_EQ(frames_[0], kFramePressed);
  EXPECT_EQ(frames_[3], kFrameRest);
  EXPECT_EQ(host_.ClickedIds().size(), 1u);
}

TEST_F(ButtonInput, EnterClicksUnlessTheHostTakesTheKey) {
  SetFocus(Hwnd());
  ControlHost::Pump();
  SendMessageA(Hwnd(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  SendMessageA(Hwnd(), WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_EQ(log_, (Log{"KeyDown", "KeyUp", "Click"}));

  log_.clear();
  swallowKeys_ = true;
  SendMessageA(Hwnd(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  SendMessageA(Hwnd(), WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_EQ(log_, (Log{"KeyDown", "KeyUp"}));

  // A key released after the focus moved away does not click either.
  log_.clear();
  swallowKeys_ = false;
  SendMessageA(Hwnd(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  SetFocus(host_.Window());
  ControlHost::Pump();
  SendMessageA(Hwnd(), WM_KEYUP, VK_SPACE, 0xC0390001);
  EXPECT_EQ(log_, (Log{"KeyDown", "KeyUp"}));
}

TEST_F(ButtonInput, DisabledButtonTakesNoInput) {
  button_->Enabled(false);
  const auto repaints = button_->RepaintCount();
  MovePointerTo(Hwnd(), w_ / 2, h_ / 2);
  SendClick(Hwnd(), 10, 5);
  SendMessageA(Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
  SendMessageA(Hwnd(), BM_CLICK, 0, 0);
  SendMessageA(Hwnd(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageA(Hwnd(), WM_KEYUP, VK_SPACE, 0xC0390001);
  PostMessageA(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  ControlHost::Pump();

  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(moves_, 0);
  EXPECT_FALSE(button_->Hover());
  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(button_->RepaintCount(), repaints);
  EXPECT_TRUE(host_.ClickedIds().empty());

  button_->Enabled(true);
  SendClick(Hwnd(), 10, 5);
  EXPECT_EQ(log_, (Log{"MouseDown", "MouseUp", "Click"}));
}

TEST_F(ButtonInput, ToggleButtonClickedTwice) {
  button_->ButtonType(controls::kButtonTypeToggle);
  MovePointerTo(Hwnd(), w_ / 2, h_ / 2);

  SendClick(Hwnd(), 10, 5);
  EXPECT_TRUE(button_->Value());
  EXPECT_TRUE(button_->Pressed());  // stays drawn pressed
  EXPECT_EQ(Frame(), kFramePressed);
  EXPECT_EQ(SendMessageA(Hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);

  SendClick(Hwnd(), 10, 5);
  EXPECT_FALSE(button_->Value());
  EXPECT_EQ(Frame(), kFramePressed);  // until the pointer leaves

  MovePointerTo(Hwnd(), w_ + 20, h_ / 2);
  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(Frame(), kFrameRest);
  EXPECT_EQ(log_, (Log{"MouseDown", "MouseUp", "Click", "MouseDown", "MouseUp", "Click"}));
}

TEST_F(ButtonInput, ClearingValueDoesNotClearThePressedLook) {
  button_->ButtonType(controls::kButtonTypeToggle);
  button_->Value(true);
  ASSERT_EQ(Frame(), kFramePressed);
  button_->Value(false);
  EXPECT_TRUE(button_->Pressed());
  EXPECT_EQ(Frame(), kFramePressed);
  button_->overr();
  EXPECT_EQ(Frame(), kFrameRest);
}

TEST_F(ButtonInput, BmClickDrivesTheButtonLikeAStandardOne) {
  SendMessageA(Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(log_, (Log{"MouseDown", "MouseUp", "Click"}));
  EXPECT_EQ(host_.ClickedIds(), (std::vector<int>{kButtonId}));

  // Also through the message queue, and on a shaped button.
  button_->ButtonShape(controls::kShapeDiamond);
  PostMessageA(Hwnd(), BM_CLICK, 0, 0);
  ControlHost::Pump();
  EXPECT_EQ(host_.ClickedIds().size(), 2u);
}

TEST_F(ButtonInput, OverrPutsTheButtonBackToItsRestingLook) {
  MovePointerTo(Hwnd(), w_ / 2, h_ / 2);
  SendMessageA(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w_ / 2, h_ / 2));
  ASSERT_EQ(Frame(), kFramePressed);
  button_->overr();
  EXPECT_FALSE(button_->Hover());
  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(Frame(), kFrameRest);
}

TEST_F(ButtonInput, HandPointerOverTheButtonOtherwiseTheCursorCode) {
  auto cursorAfterSetCursor = [this] {
    SendMessageA(Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  button_->MousePointer(controls::kCursorHourglass);
  button_->HandPointer(true);
  MovePointerTo(Hwnd(), w_ / 2, h_ / 2);
  EXPECT_EQ(cursorAfterSetCursor(), LoadCursorA(nullptr, IDC_HAND));
  MovePointerTo(Hwnd(), w_ + 20, h_ / 2);
  EXPECT_EQ(cursorAfterSetCursor(), LoadCursorA(nullptr, IDC_WAIT));
}

TEST_F(ButtonInput, ClickHandlerMayDestroyTheButton) {
  button_->events.Click = [this] { button_.reset(); };
  HWND window = Hwnd();
  SendClick(window, 10, 5);
  EXPECT_EQ(button_, nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(host_.ClickedIds().empty());
}

}  // namespace
