// The window without a mouse: Tab and Shift+Tab through the controls with
// real key presses, as the program's own loops process them (also while a
// scan runs), Space and Enter on the focused button; and what a screen
// reader learns of the controls through their accessible objects.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <thread>
#include <vector>

#include "controls/accessible.h"
#include "platform/win32/com_ref.h"
#include "tests/window/window_test.h"

namespace {

using app::CommandButton;

VARIANT Child(long id) {
  VARIANT child = {};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

class AccessTest : public testsupport::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    pump_.SetDialogKeys([this](const MSG& message) { return Form().PreTranslateMessage(message); });
  }

  // A key pressed and released through the system's input, with Shift held
  // down around it for `shift`.
  static void SendKey(WORD key, bool shift = false) {
    const std::vector<WORD> order = shift ? std::vector<WORD>{VK_SHIFT, key, key, VK_SHIFT} : std::vector<WORD>{key, key};
    std::vector<INPUT> keys(order.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      keys[i].type = INPUT_KEYBOARD;
      keys[i].ki.wVk = order[i];
      keys[i].ki.dwFlags = 2 * i < keys.size() ? 0 : KEYEVENTF_KEYUP;
    }
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
  GUITHREADINFO ui = {};
  ui.cbSize = sizeof(ui);
  std::thread keys([&, thread = GetCurrentThreadId()] {
    testsupport::WaitUntil([&] { return IsWindowEnabled(stop) != FALSE; }, 60000);
    SendKey(VK_TAB);  // from Start Search, disabled meanwhile, past the list
    testsupport::WaitUntil([&] { return !GetGUIThreadInfo(thread, &ui) || ui.hwndFocus == stop; }, 10000);
    SendKey(VK_SPACE);
  });
  SetFocus(Form().Handle());
  EXPECT_EQ(Keys(1), "Start Search|");
  Keys(1, VK_SPACE);  // the scan runs inside
  keys.join();
  EXPECT_EQ(ui.hwndFocus, stop);
  EXPECT_EQ(watcher.Seen().size(), 1u) << "the Stop question";
  ExpectResultState();
}

TEST_F(AccessTest, ScreenReadersSeeTheButtonsTheSeparatorAndThePaintedLabels) {
  const platform::ComApartment apartment;
  std::list<platform::ComRef<IAccessible>> held;  // every object asked for, kept to the end
  auto object = [&](HWND window) {
    held.emplace_back();
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), controls::kAccessibleInterface,
                                         held.back().Receive()),
              S_OK);
    return held.back().Get();
  };
  auto text = [](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* from, long id) {
    BSTR got = nullptr;
    (from->*get)(Child(id), &got);
    const std::wstring value = got ? got : L"";
    SysFreeString(got);
    return value;
  };
  auto number = [](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* from, long id) {
    VARIANT got = {};
    return (from->*get)(Child(id), &got) == S_OK ? got.lVal : -1;
  };
  SendMessageA(ButtonWindow(CommandButton::SelectAll), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SetFocus(ButtonWindow(CommandButton::Start));
  struct Seen {
    HWND window;
    long id;
    const wchar_t* name;
    long role, on, off;  // state bits set and clear
  };
  for (const Seen& s : {
           Seen{ButtonWindow(CommandButton::Start), 0, L"Start Search", ROLE_SYSTEM_PUSHBUTTON,
                STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED},
           Seen{ButtonWindow(CommandButton::Stop), 0, L"Stop Search", ROLE_SYSTEM_PUSHBUTTON,
                STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_FOCUSED},
           Seen{ButtonWindow(CommandButton::SelectAll), 0, L"Select All", ROLE_SYSTEM_PUSHBUTTON,
                STATE_SYSTEM_PRESSED | STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_UNAVAILABLE},
           Seen{Form().Separator().hwnd(), 0, L"", ROLE_SYSTEM_SEPARATOR, 0, STATE_SYSTEM_INVISIBLE},
           Seen{Form().WelcomePanel().Handle(), 1, L"Welcome to Hivesweep", ROLE_SYSTEM_STATICTEXT, 0,
                STATE_SYSTEM_INVISIBLE},
           Seen{Form().ScanListFrame().Handle(), 2, L"Scanning :", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_INVISIBLE,
                0}}) {
    IAccessible* seen = object(s.window);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(text(&IAccessible::get_accName, seen, s.id), s.name);
    EXPECT_EQ(number(&IAccessible::get_accRole, seen, s.id), s.role);
    EXPECT_EQ(number(&IAccessible::get_accState, seen, s.id) & (s.on | s.off), s.on) << s.id;
  }
  SendMessageA(ButtonWindow(CommandButton::SelectAll), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

  // The welcome panel: its heading where it is painted, then its child
  // windows (the separator, the text frame).
  IAccessible* panel = object(Form().WelcomePanel().Handle());
  VARIANT children[4] = {};
  LONG count = 0;
  EXPECT_EQ(AccessibleChildren(panel, 0, 4, children, &count), S_FALSE);
  EXPECT_TRUE(count == 3 && children[0].vt == VT_I4 && children[1].vt == VT_DISPATCH && children[2].vt == VT_DISPATCH);
  for (VARIANT& c : children) VariantClear(&c);
  RECT at = {};  // left, top, width, height
  EXPECT_EQ(panel->accLocation(&at.left, &at.top, &at.right, &at.bottom, Child(1)), S_OK);
  MapWindowPoints(nullptr, Form().WelcomePanel().Handle(), reinterpret_cast<POINT*>(&at), 1);
  EXPECT_TRUE(at.left == Px(360) && at.top == Px(120) && at.right == Px(4215)) << at.left << "," << at.top;

  // "Press" clicks, without waiting for what the click starts.
  IAccessible* undo = object(ButtonWindow(CommandButton::UndoCenter));
  EXPECT_EQ(text(&IAccessible::get_accDefaultAction, undo, 0), L"Press");
  EXPECT_EQ(undo->accDoDefaultAction(Child(0)), S_OK);
  EXPECT_FALSE(Form().UndoPanel().Visible());
  testsupport::Pump(50);
  EXPECT_TRUE(Form().UndoPanel().Visible());

  // A client that outlives the window holds a disconnected object.
  form_.reset();
  EXPECT_EQ(panel->accLocation(&at.left, &at.top, &at.right, &at.bottom, Child(1)), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(undo->accDoDefaultAction(Child(0)), CO_E_OBJNOTCONNECTED);
}

}  // namespace
