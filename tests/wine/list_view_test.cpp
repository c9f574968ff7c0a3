// The error list's list view control under Wine: check marks read from and
// written to the control's own state, in-place edits refused, rows painted
// in bursts, long texts read back whole.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/error_list.h"
#include "app/win32/win32_list_view.h"
#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "tests/support/test_window.h"

namespace {

using app::Win32ListView;
using testsupport::RowCheckedInControl;

// The error list's place, check boxes, columns (at 96 DPI) and background.
Win32ListView::Options ErrorListOptions() {
  Win32ListView::Options options{{24, 40, 561, 249}, 100, true, {}, RGB(0xFB, 0xFB, 0xFB)};
  for (const auto& column : app::kErrorListColumns) options.columns.push_back({column.header, column.widthTwips / 15});
  return options;
}

class ListViewTest : public ::testing::Test {
 protected:
  ListViewTest() : list(window.Handle(), ErrorListOptions()) {
    window.onNotify = [this](const NMHDR& header, LRESULT* result) { return list.HandleNotify(header, result); };
  }
  void AddRows(int count) {
    for (int i = 1; i <= count; ++i) {
      app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "K\\v" + std::to_string(i), "C:\\x"});
    }
  }
  // Pixels of the first row's text not in the background colour; -1 with no row.
  int InkInFirstRow() {
    RECT r = {};
    if (!ListView_GetItemRect(list.Handle(), 0, &r, LVIR_LABEL)) return -1;
    int ink = 0;
    HDC dc = GetDC(list.Handle());
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) ink += (GetPixel(dc, x, y) & 0xFFFFFF) != 0xFBFBFB;
    }
    ReleaseDC(list.Handle(), dc);
    return ink;
  }

  testsupport::TestWindow window;
  Win32ListView list;
};

// The control keeps a row's mark as its state image: 0 none, 1 an empty box,
// 2 a ticked box.
TEST_F(ListViewTest, CheckMarkIsTheControlsStateImage) {
  AddRows(3);
  const HWND control = list.Handle();
  for (app::RowNumber row = 1; row <= 3; ++row) EXPECT_FALSE(list.Checked(row) || RowCheckedInControl(control, row));
  for (const auto& [image, checked] : {std::pair<UINT, bool>{2, true}, {1, false}, {0, false}, {2, true}}) {
    ListView_SetItemState(control, 1, INDEXTOSTATEIMAGEMASK(image), LVIS_STATEIMAGEMASK);
    EXPECT_EQ(list.Checked(2), checked) << "state image " << image;
    EXPECT_FALSE(list.Checked(1) || list.Checked(3));
  }
  list.SetChecked(3, true);
  list.SetChecked(2, false);
  EXPECT_TRUE(RowCheckedInControl(control, 3) && !RowCheckedInControl(control, 2));
}

TEST_F(ListViewTest, InPlaceEditIsRefusedAndLongTextsComeBackWhole) {
  list.BeforeLabelEdit = [](int* cancel) { app::RefuseEdit(cancel); };
  NMLVDISPINFOA info = {};
  info.hdr.hwndFrom = list.Handle();
  info.hdr.code = LVN_BEGINLABELEDITA;
  LRESULT result = 0;
  ASSERT_TRUE(list.HandleNotify(info.hdr, &result));
  EXPECT_EQ(result, TRUE);

  const std::string hex(12287, 'A');
  app::AddFinding(list, {"t", "r", "s", hex});
  EXPECT_EQ(list.SubItem(1, 3), hex);
}

// Rows added or removed in a burst wait for one repaint, which comes by
// itself through message processing; a list destroyed while its repaint is
// pending leaves nothing behind that a later timer message could reach.
TEST_F(ListViewTest, RowsChangedInABurstArePaintedSoonAfter) {
  testsupport::Pump(100);
  AddRows(300);
  const int soon = 2 * Win32ListView::kMaxRepaintDelayMs;
  EXPECT_TRUE(list.RepaintPending() && testsupport::WaitUntil([&] { return !list.RepaintPending(); }, soon));
  EXPECT_TRUE(IsWindowVisible(list.Handle()));
  EXPECT_GT(InkInFirstRow(), 20);  // the first row's text is drawn
  list.Clear();
  EXPECT_TRUE(list.RepaintPending() && testsupport::WaitUntil([&] { return !list.RepaintPending(); }, soon));
  EXPECT_EQ(InkInFirstRow(), -1);
  HWND gone = nullptr;
  {
    Win32ListView shortLived(window.Handle(), ErrorListOptions());
    shortLived.Add("row");
    EXPECT_TRUE(shortLived.RepaintPending());
    gone = shortLived.Handle();
  }
  testsupport::Pump(soon);
  EXPECT_TRUE(list.Count() == 0 && !IsWindow(gone));
}

}  // namespace
