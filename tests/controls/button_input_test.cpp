// How pointer, mouse buttons, keys and focus drive a Button's state, look
// and events, through real window messages and real input.
#include <memory>

#include "controls/cursor_code.h"
#include "tests/controls/controls_test.h"

namespace {

using testsupport::Pump;
using testsupport::RealLeftButton;

class ButtonInput : public controlstest::ButtonTest {
 protected:
  void SetUp() override {
    Load(controlstest::kMainWindowButton, 1575, 315);
    auto& e = button_.events;
    e.Click = [this] { ++clicks_; Note("Click"); };
    e.DblClick = [this] { Note("DblClick"); };
    e.MouseDown = [this](std::int16_t& b, std::int16_t&, float& x, float& y) {
      Note("MouseDown");
      down_ = std::to_string(b) + "@" + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
    };
    e.MouseUp = [this](auto&...) { Note("MouseUp"); };
    e.MouseMove = [this](auto&...) { ++moves_; };
    e.KeyDown = [this](std::int16_t& key, std::int16_t&) { Note("KeyDown"); key = swallowKeys_ ? 0 : key; };
    e.KeyPress = [this](auto&...) { Note("KeyPress"); };
    e.KeyUp = [this](auto&...) { Note("KeyUp"); };
  }
  // Each event with the look its handler saw (outer frame: P pressed, H
  // hovered, R at rest), so that "state, repaint, then the event" is checked.
  std::string Look() const {
    const COLORREF frame = At(0, h_ / 2);
    return frame == 0x5C411D ? "P" : frame == 0xB17F3C ? "H" : frame == 0x8F8F8E ? "R" : testsupport::Hex(frame);
  }
  void Note(const std::string& name) { log_ += (log_.empty() ? "" : " ") + name + ":" + Look(); }
  void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(10, 5)) {
    SendMessageA(Hwnd(), message, wParam, lParam);
  }
  // Actions, one letter each: m the real pointer onto the button, o off it;
  // p and r the real left button pressed and released where the pointer is;
  // d and u left press and release messages, 2 the second press of a double
  // click, b BM_CLICK, B BM_CLICK posted and handled; s and S Space down and
  // up, e and E Enter, c a typed blank; w the host takes the next key; F
  // focus to the button, f to the host; x disable, X enable; t toggle type,
  // v and V Value true and false, O overr, R rounded outline; . note Value
  // (On, Off), C whether the button holds the capture (Held, Free), h whether
  // it has the focus (Focus, Away), @ the last MouseDown's button and point;
  // each note with the look.
  void Run(const std::string& actions) {
    for (char action : actions) {
      switch (action) {
        case 'm': Hover(); break;
        case 'o': testsupport::MovePointer(Hwnd(), w_ + 20, h_ / 2); break;
        case 'p': case 'r': RealLeftButton(action == 'p'); break;
        case 'd': Send(WM_LBUTTONDOWN, MK_LBUTTON); break;
        case 'u': Send(WM_LBUTTONUP); break;
        case '2': Send(WM_LBUTTONDBLCLK, MK_LBUTTON); break;
        case 'b': Send(BM_CLICK, 0, 0); break;
        case 'B': PostMessageA(Hwnd(), BM_CLICK, 0, 0); Pump(); break;
        case 's': Send(WM_KEYDOWN, VK_SPACE, 1); break;
        case 'S': Send(WM_KEYUP, VK_SPACE, 0xC0000001); break;
        case 'e': Send(WM_KEYDOWN, VK_RETURN, 1); break;
        case 'E': Send(WM_KEYUP, VK_RETURN, 0xC0000001); break;
        case 'c': Send(WM_CHAR, ' ', 1); break;
        case 'w': swallowKeys_ = true; break;
        case 'F': case 'f': SetFocus(action == 'F' ? Hwnd() : host_.Handle()); break;
        case 'x': case 'X': button_.Enabled(action == 'X'); break;
        case 't': button_.ButtonType(controls::kButtonTypeToggle); break;
        case 'v': case 'V': button_.Value(action == 'v'); break;
        case 'O': button_.overr(); break;
        case 'R': button_.ButtonShape(controls::kShapeRoundRect); break;
        case '.': Note(button_.Value() ? "On" : "Off"); break;
        case 'C': Note(GetCapture() == Hwnd() ? "Held" : "Free"); break;
        case 'h': Note(button_.HasFocus() ? "Focus" : "Away"); break;
        case '@': Note(down_); break;
      }
    }
  }

  std::string log_, down_;
  int clicks_ = 0, moves_ = 0;
  bool swallowKeys_ = false;
};

struct Sequence { const char* actions; const char* events; };
void PrintTo(const Sequence& s, std::ostream* out) { *out << s.actions; }

class ButtonSequence : public ButtonInput, public ::testing::WithParamInterface<Sequence> {};

const Sequence kSequences[] = {
    {"mdu", "MouseDown:P MouseUp:H Click:H"}, {"b", "MouseDown:P MouseUp:R Click:R"},
    {"du2u", "MouseDown:P MouseUp:R Click:R DblClick:P MouseUp:R"},
    // A press takes the focus; the control holds the capture after the
    // release, to see the pointer leave. BM_CLICK presses where every
    // outline covers.
    {"hdu@hC", "Away:R MouseDown:P MouseUp:R Click:R 1@10,5:R Focus:R Held:R"}, {"RB", "MouseDown:P MouseUp:R Click:R"},
    // Click needs the press and its release on the button: dragged off, the
    // button gives up the capture and the release lands on the host; a later
    // press on the host released on the button is no click; dragged off and
    // back, the press still clicks.
    {"mpoCrpmrCpomr", "MouseDown:P Free:R MouseUp:H Held:H MouseDown:P MouseUp:H Click:H"},
    // A focused button is pressed from the keyboard, as users expect.
    {"FsscS", "KeyDown:P KeyDown:P KeyPress:P KeyUp:R Click:R"},
    {"FeE", "KeyDown:P KeyUp:R Click:R"}, {"FweE", "KeyDown:P KeyUp:R"}, {"FsfS", "KeyDown:P KeyUp:R"},
    // A disabled button takes no input, and none while disabled.
    {"xmdu2bsSX", ""}, {"xXdu", "MouseDown:P MouseUp:R Click:R"},
    // A toggle button stays pressed while on, and after the click that turns
    // it off until the pointer leaves; clearing Value keeps the look, overr not.
    {"tmdu.du.o.", "MouseDown:P MouseUp:H Click:P On:P MouseDown:P MouseUp:P Click:P Off:P Off:R"},
    {"tmvV.O.", "Off:P Off:R"},
};

TEST_P(ButtonSequence, RaisesItsEventsAfterEachRepaint) {
  Run(GetParam().actions);
  EXPECT_EQ(log_, GetParam().events);
  // The parent hears of every Click as from a standard push button.
  EXPECT_EQ(host_.ClickedIds(), std::vector<int>(clicks_, kId));
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonSequence, ::testing::ValuesIn(kSequences));

TEST_F(ButtonInput, EnteringAndLeavingRepaintOnceEachAndSetTheCursor) {
  button_.MousePointer(controls::kCursorHourglass);
  button_.HandPointer(true);
  // Not pumping: only the movement notifications sent here arrive. Each
  // movement gives the repaints so far, the look and the cursor (+ the hand,
  // * the hourglass).
  const auto start = button_.RepaintCount();
  std::string trail;
  const auto move = [&](int x, int y) {
    POINT screen{x, y};
    ClientToScreen(Hwnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(Hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const HCURSOR cursor = GetCursor();
    trail += std::to_string(button_.RepaintCount() - start) + Look() +
             (cursor == LoadCursorA(nullptr, IDC_HAND) ? "+ " : cursor == LoadCursorA(nullptr, IDC_WAIT) ? "* " : "? ");
  };
  // Outside first (Hover starts false); the right and bottom edges still count as inside.
  for (const POINT& p : {POINT{w_ + 30, h_ + 30}, {3, 3}, {20, 10}, {w_, h_}, {w_ + 1, h_ / 2}}) move(p.x, p.y);
  EXPECT_EQ(trail, "0R* 1H+ 1H+ 1H+ 2R* ");
  // In design mode movement changes nothing and raises nothing: one MouseMove
  // for each movement notification before.
  button_.UserMode(false);
  move(3, 3);
  EXPECT_FALSE(button_.Hover() || GetCapture() == Hwnd());
  EXPECT_EQ(moves_, 5);
}

TEST_F(ButtonInput, ClickHandlerMayDestroyTheButton) {
  auto owned = std::make_unique<controls::Button>();
  ASSERT_TRUE(owned->Create(host_.Handle(), 9));
  owned->InitProperties();
  owned->events.Click = [&owned] { owned.reset(); };
  HWND window = owned->hwnd();
  testsupport::SendClick(window, 10, 5);
  EXPECT_EQ(owned, nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(host_.ClickedIds().empty());
}

}  // namespace
