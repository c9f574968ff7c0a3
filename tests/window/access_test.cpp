// The window without a mouse: Tab and Shift+Tab through the controls with
// real key presses, as the program's own loops process them (also while a
// scan runs), Space and Enter on the focused button; and what a screen
// reader learns of the controls through their accessible objects.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "controls/accessible.h"
#include "platform/win32/com_ref.h"
#include "tests/support/message_box_watcher.h"
#include "tests/window/window_test.h"

namespace {

using app::CommandButton;

class AccessTest : public testsupport::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    pump_.SetDialogKeys([this](const MSG& message) { return Form().PreTranslateMessage(message); });
  }

  // A key pressed and released through the system's input, Shift held down
  // around it for `shift`.
  static void SendKey(WORD key, bool shift = false) {
    std::vector<INPUT> keys;
    auto add = [&](WORD code, DWORD flags) {
      INPUT input = {};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = code;
      input.ki.dwFlags = flags;
      keys.push_back(input);
    };
    if (shift) add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  }
  // Keys, then the messages processed as the scan's message processing does.
  std::string Keys(int count, WORD key = VK_TAB, bool shift = false) {
    std::string focused;
    for (int i = 0; i < count; ++i) {
      SendKey(key, shift);
      for (int round = 0; round < 10; ++round, Sleep(5)) pump_.ProcessPending();
      focused += Focused() + "|";
    }
    return focused;
  }
  // The focused control's caption (a list's name), and whether a focused
  // button shows its focus look: the inner frame in 0xFECC04.
  std::string Focused() {
    const HWND focus = GetFocus();
    if (focus == Form().ErrorList().Handle()) return "errors";
    if (focus == Form().UndoList().Handle()) return "backups";
    for (int b = 0; b <= static_cast<int>(CommandButton::Remove); ++b) {
      controls::Button& button = Form().ButtonOf(static_cast<CommandButton>(b));
      if (button.hwnd() != focus) continue;
      const bool look = button.HasFocus() && GetPixel(button.hDC(), 1, 1) == 0xFECC04;
      return button.Caption() + (look ? "" : " (no focus look)");
    }
    return "?";
  }
};

TEST_F(AccessTest, TabWalksTheEnabledVisibleControlsInScreenOrderAndSpaceOrEnterPressThem) {
  SetFocus(Form().Handle());  // Stop Search is disabled: never reached
  EXPECT_EQ(Keys(4), "Start Search|Undo Center|Exit|Start Search|");
  EXPECT_EQ(Keys(2, VK_TAB, true), "Exit|Undo Center|");
  Form().ShowScanPanel();
  SetFocus(Form().Handle());
  EXPECT_EQ(Keys(8), "errors|Select All|Unselect All|Delete|Start Search|Undo Center|Exit|errors|");
  EXPECT_EQ(Keys(3, VK_TAB, true), "Exit|Undo Center|Start Search|");
  Keys(1);
  Keys(1, VK_RETURN);
  EXPECT_TRUE(Form().UndoPanel().Visible());
  EXPECT_EQ(Keys(7), "Exit|backups|Restore|Remove|Start Search|Undo Center|Exit|");
  Keys(1, VK_SPACE);
  EXPECT_TRUE(ended_);
}

TEST_F(AccessTest, WhileAScanRunsTabReachesStopSearchAndSpaceStopsTheScan) {
  testsupport::MessageBoxWatcher watcher;
  watcher.Answer({IDYES});
  HWND stop = ButtonWindow(CommandButton::Stop);
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<HWND> focusDuringScan{nullptr};
  std::thread keys([&] {
    auto focus = [&] {
      GUITHREADINFO info = {};
      info.cbSize = sizeof(info);
      return GetGUIThreadInfo(uiThread, &info) ? info.hwndFocus : nullptr;
    };
    for (int waited = 0; !IsWindowEnabled(stop) && waited < 60000; waited += 10) Sleep(10);
    SendKey(VK_TAB);  // from Start Search, disabled meanwhile, past the list
    for (int waited = 0; focus() != stop && waited < 10000; waited += 10) Sleep(10);
    focusDuringScan = focus();
    SendKey(VK_SPACE);
  });
  SetFocus(Form().Handle());
  EXPECT_EQ(Keys(1), "Start Search|");
  Keys(1, VK_SPACE);  // the scan runs inside
  keys.join();
  EXPECT_EQ(focusDuringScan.load(), stop);
  EXPECT_EQ(watcher.Seen().size(), 1u);
  ExpectResultState();
}

TEST_F(AccessTest, ScreenReadersSeeTheButtonsTheSeparatorAndThePaintedLabels) {
  platform::ComApartment apartment;
  ASSERT_TRUE(apartment.Usable());
  auto object = [](HWND window) {
    auto held = std::make_unique<platform::ComRef<IAccessible>>();
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), controls::kAccessibleInterface,
                                         held->Receive()),
              S_OK);
    return held;
  };
  SendMessageA(ButtonWindow(CommandButton::SelectAll), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SetFocus(ButtonWindow(CommandButton::Start));
  struct Seen {
    HWND window;
    long child;
    const wchar_t* name;
    long role, on, off;  // state bits set and clear
  };
  const Seen seen[] = {
      {ButtonWindow(CommandButton::Start), 0, L"Start Search", ROLE_SYSTEM_PUSHBUTTON,
       STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED},
      {ButtonWindow(CommandButton::Stop), 0, L"Stop Search", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE,
       STATE_SYSTEM_FOCUSED},
      {ButtonWindow(CommandButton::SelectAll), 0, L"Select All", ROLE_SYSTEM_PUSHBUTTON,
       STATE_SYSTEM_PRESSED | STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_UNAVAILABLE},
      {Form().Separator().hwnd(), 0, nullptr, ROLE_SYSTEM_SEPARATOR, 0, STATE_SYSTEM_INVISIBLE},
      {Form().WelcomePanel().Handle(), 1, L"Welcome to Hivesweep", ROLE_SYSTEM_STATICTEXT, 0, STATE_SYSTEM_INVISIBLE},
      {Form().ScanListFrame().Handle(), 2, L"Scanning :", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_INVISIBLE, 0},
  };
  for (const Seen& s : seen) {
    const auto held = object(s.window);
    IAccessible* accessible = held->Get();
    ASSERT_NE(accessible, nullptr);
    VARIANT child = {};
    child.vt = VT_I4;
    child.lVal = s.child;
    BSTR name = nullptr;
    EXPECT_EQ(accessible->get_accName(child, &name), s.name ? S_OK : S_FALSE);
    EXPECT_EQ(std::wstring(name ? name : L""), std::wstring(s.name ? s.name : L""));
    SysFreeString(name);
    VARIANT role = {}, state = {};
    EXPECT_EQ(accessible->get_accRole(child, &role), S_OK);
    EXPECT_EQ(role.lVal, s.role);
    EXPECT_EQ(accessible->get_accState(child, &state), S_OK);
    EXPECT_EQ(state.lVal & (s.on | s.off), s.on) << std::hex << state.lVal;
  }
  SendMessageA(ButtonWindow(CommandButton::SelectAll), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

  // The welcome panel: its heading, then its child windows (the separator, the text frame).
  const auto panel = object(Form().WelcomePanel().Handle());
  VARIANT children[4] = {};
  LONG count = 0;
  EXPECT_EQ(AccessibleChildren(panel->Get(), 0, 4, children, &count), S_FALSE);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(children[0].vt, VT_I4);
  EXPECT_EQ(children[1].vt, VT_DISPATCH);
  for (VARIANT& c : children) VariantClear(&c);
  LONG left = 0, top = 0, width = 0, height = 0;
  VARIANT heading = {};
  heading.vt = VT_I4;
  heading.lVal = 1;
  EXPECT_EQ(panel->Get()->accLocation(&left, &top, &width, &height, heading), S_OK);
  POINT corner = {Px(360), Px(120)};
  ClientToScreen(Form().WelcomePanel().Handle(), &corner);
  EXPECT_EQ(std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width),
            std::to_string(corner.x) + "," + std::to_string(corner.y) + " " + std::to_string(Px(4215)));

  // "Press" clicks, without waiting for what the click starts.
  const auto undo = object(ButtonWindow(CommandButton::UndoCenter));
  VARIANT self = {};
  self.vt = VT_I4;
  BSTR action = nullptr;
  EXPECT_EQ(undo->Get()->get_accDefaultAction(self, &action), S_OK);
  EXPECT_EQ(std::wstring(action ? action : L""), L"Press");
  SysFreeString(action);
  EXPECT_EQ(undo->Get()->accDoDefaultAction(self), S_OK);
  EXPECT_FALSE(Form().UndoPanel().Visible());
  testsupport::Pump(50);
  EXPECT_TRUE(Form().UndoPanel().Visible());

  // A client that outlives the window holds a disconnected object.
  form_.reset();
  BSTR gone = nullptr;
  EXPECT_EQ(undo->Get()->get_accName(self, &gone), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(panel->Get()->accLocation(&left, &top, &width, &height, heading), CO_E_OBJNOTCONNECTED);
}

}  // namespace
