// The window without a mouse: Tab and Shift+Tab through the controls with
// real key presses, as the program's own loops process them (also while a
// scan runs, disturbed by close requests and Exit), Space and Enter on the
// focused button; and what a screen reader learns of the controls through
// their accessible objects.
#include <windows.h>
#include <oleacc.h>

#include <list>
#include <thread>
#include <tuple>

#include "controls/accessible.h"
#include "engine/stop_scan.h"
#include "platform/win32/com_ref.h"
#include "tests/support/real_registry.h"
#include "tests/window/window_test.h"

namespace {

using app::CommandButton;
using testsupport::WaitUntil;

VARIANT Child(long id) {
  VARIANT child = {};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

class AccessTest : public testsupport::WindowTest {
 protected:
  // A key pressed and released through the system's input, with Shift held
  // down around it for `shift`.
  static void SendKey(WORD key, bool shift = false) {
    if (shift) keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    if (shift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
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

// A scan started with Space: Tab reaches Stop Search from Start Search
// (disabled meanwhile) past the list, and Space there asks to stop: No, and
// the scan goes on and lists more rows. Close requests and Exit are refused;
// a click on Stop Search asks again: Yes, and the rows found so far stay.
TEST_F(AccessTest, DuringAScanTabReachesStopSearchCloseAndExitAreRefusedAndStopAsksNoThenYes) {
  testsupport::ScratchKey scratch;  // a row under HKEY_CURRENT_USER, long before the walk ends
  const std::string gone = "C:\\HsTest-gone-" + std::to_string(GetCurrentProcessId()) + "\\x.exe";
  scratch.Build({testsupport::Sz("Run", "Gone", gone)});
  testsupport::MessageBoxWatcher watcher;
  watcher.Answer({IDNO, IDYES});
  HWND window = Form().Handle(), list = Form().ErrorList().Handle();
  HWND start = ButtonWindow(CommandButton::Start), stop = ButtonWindow(CommandButton::Stop);
  HWND exitButton = ButtonWindow(CommandButton::Exit);
  GUITHREADINFO ui = {};
  ui.cbSize = sizeof(ui);
  std::atomic<bool> startDisabled{false}, rowsAfterNo{false}, closeRefused{false}, done{false};
  std::thread disturber([&, thread = GetCurrentThreadId()] {
    WaitUntil([&] { return IsWindowEnabled(stop) != FALSE; }, 60000);
    startDisabled = !IsWindowEnabled(start);
    SendKey(VK_TAB);
    WaitUntil([&] { return !GetGUIThreadInfo(thread, &ui) || ui.hwndFocus == stop; }, 10000);
    SendKey(VK_SPACE);
    WaitUntil([&] { return watcher.Seen().size() == 1; });
    const LRESULT rows = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    rowsAfterNo = WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > rows; }, 60000);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(exitButton, BM_CLICK, 0, 0);
    closeRefused = SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == FALSE;
    PostMessageA(stop, BM_CLICK, 0, 0);
    done = true;
  });
  SetFocus(window);
  EXPECT_EQ(Keys(1), "Start Search|");
  Keys(1, VK_SPACE);  // the scan runs inside
  WaitUntil([&] { return done.load(); }, 200000);  // the thread's messages answered meanwhile
  disturber.join();

  EXPECT_EQ(ui.hwndFocus, stop);
  EXPECT_TRUE(startDisabled);
  EXPECT_TRUE(rowsAfterNo);
  EXPECT_TRUE(closeRefused);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(ended_);
  const testsupport::SeenBox question{"Are you sure you want to stop the registry scan process?", {IDYES, IDNO}, IDYES,
                                      true};
  EXPECT_EQ(watcher.Seen(), std::vector<testsupport::SeenBox>(2, question)) << "twice, nothing about the close";
  EXPECT_TRUE(StopScan);
  EXPECT_GT(Form().ErrorList().Count(), 0);
  ExpectResultState();

  // After the scan the window may close.
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
}

TEST_F(AccessTest, ScreenReadersSeeTheButtonsTheSeparatorAndThePaintedLabels) {
  const platform::ComApartment apartment;
  std::list<platform::ComRef<IAccessible>> held;  // every object asked for, kept to the end
  auto object = [&](HWND window) {  // null when the window gives none
    held.emplace_back();
    AccessibleObjectFromWindow(window, OBJID_CLIENT, controls::kAccessibleInterface, held.back().Receive());
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
  constexpr long kPush = ROLE_SYSTEM_PUSHBUTTON, kText = ROLE_SYSTEM_STATICTEXT, kFocused = STATE_SYSTEM_FOCUSED;
  constexpr long kOff = STATE_SYSTEM_UNAVAILABLE, kDown = STATE_SYSTEM_PRESSED, kHidden = STATE_SYSTEM_INVISIBLE;
  for (const auto& [window, id, name, role, on, off] : {  // state bits set and clear
           std::tuple{ButtonWindow(CommandButton::Start), 0L, L"Start Search", kPush, STATE_SYSTEM_FOCUSABLE | kFocused,
                      kOff | kDown},
           std::tuple{ButtonWindow(CommandButton::Stop), 0L, L"Stop Search", kPush, kOff, kFocused},
           std::tuple{ButtonWindow(CommandButton::SelectAll), 0L, L"Select All", kPush, kDown | kHidden, kOff},
           std::tuple{Form().Separator().hwnd(), 0L, L"", long{ROLE_SYSTEM_SEPARATOR}, 0L, kHidden},
           std::tuple{Form().WelcomePanel().Handle(), 1L, L"Welcome to Hivesweep", kText, 0L, kHidden},
           std::tuple{Form().ScanListFrame().Handle(), 2L, L"Scanning :", kText, kHidden, 0L}}) {
    IAccessible* seen = object(window);
    ASSERT_NE(seen, nullptr) << id;
    EXPECT_EQ(text(&IAccessible::get_accName, seen, id), name);
    EXPECT_EQ(number(&IAccessible::get_accRole, seen, id), role);
    EXPECT_EQ(number(&IAccessible::get_accState, seen, id) & (on | off), on) << id;
  }
  SendMessageA(ButtonWindow(CommandButton::SelectAll), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

  // The welcome panel: its heading where it is painted, then its child
  // windows (the separator, the text frame).
  IAccessible* panel = object(Form().WelcomePanel().Handle());
  IAccessible* undo = object(ButtonWindow(CommandButton::UndoCenter));
  ASSERT_TRUE(panel && undo);
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
