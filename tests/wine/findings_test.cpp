// From Wine's real registry and drive C to rows of a real list view.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/error_list.h"
#include "app/finding_classifier.h"
#include "app/scan_parameters.h"
#include "app/win32/win32_list_view.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_registry.h"
#include "tests/support/finding_tree.h"
#include "tests/wine/prefix_files.h"
#include "tests/wine/scratch_key.h"
#include "tests/wine/test_window.h"

namespace {

app::Win32ListView::Options ErrorListOptions() {
  app::Win32ListView::Options options;
  options.bounds = {24, 40, 561, 249};
  options.controlId = 100;
  options.checkBoxes = true;
  for (const auto& column : app::kErrorListColumns) options.columns.push_back({column.header, column.widthTwips / 15});
  options.background = RGB(0xFB, 0xFB, 0xFB);
  return options;
}

class WineFindingsTest : public ::testing::Test {
 protected:
  WineFindingsTest() : list(window.Handle(), ErrorListOptions()) {
    window.onNotify = [this](const NMHDR& header, LRESULT* result) { return list.HandleNotify(header, result); };
    list.RowClick = [this](app::RowNumber row) { app::ToggleRow(list, row); };
  }

  std::vector<app::ScanFinding> RowsUnder(const std::string& root, const std::string& base) const {
    std::vector<app::ScanFinding> rows;
    for (app::RowNumber i = 1; i <= list.Count(); ++i) {
      app::ScanFinding f = app::FindingAt(list, i);
      if (f.rootPath == root && f.subPath.find(base) != std::string::npos) rows.push_back(f);
    }
    return rows;
  }

  // A click at a point of the list, as the mouse would deliver it.
  void ClickAt(POINT point) {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
    SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    testsupport::TestWindow::Pump();
  }

  POINT RowTextPoint(app::RowNumber row) {
    RECT r = {};
    r.left = LVIR_LABEL;
    SendMessageA(list.Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
    return {r.left + 10, (r.top + r.bottom) / 2};
  }

  POINT RowCheckBoxPoint(app::RowNumber row) {
    RECT r = {};
    r.left = LVIR_BOUNDS;
    SendMessageA(list.Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
    for (int x = r.left; x < r.left + 40; ++x) {
      LVHITTESTINFO hit = {};
      hit.pt = {x, (r.top + r.bottom) / 2};
      SendMessageA(list.Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.flags & LVHT_ONITEMSTATEICON) return hit.pt;
    }
    ADD_FAILURE() << "no check box found in row " << row;
    return {r.left + 8, (r.top + r.bottom) / 2};
  }

  testsupport::TestWindow window;
  app::Win32ListView list;
  platform::Win32Registry registry;
  platform::Win32FileSystem files;
  platform::Win32MessagePump pump;
};

// The scan's own parameters over the whole prefix registry: the scratch key's
// values give exactly the expected rows, once under HKEY_CURRENT_USER and once
// more under HKEY_USERS, where the same key is visible too.
TEST_F(WineFindingsTest, FullScanListsExactlyTheMissingPaths) {
  testsupport::PrefixFiles prefixFiles;
  ASSERT_TRUE(files.PathExists(prefixFiles.Present()));
  testsupport::ScratchKey scratch;
  scratch.Build(testsupport::FindingTree(prefixFiles.Folder()));

  app::FindingClassifier classifier(list, files);
  engine::cRegSearch search(registry, pump);
  app::ConfigureScan(search);
  search.SearchFound = [&](const std::string& root, const std::string& key, const std::string& value,
                           std::int32_t lFound) { classifier.cReg_SearchFound(root, key, value, lFound); };
  StopScan = false;
  search.DoSearch();

  const auto expected = testsupport::ExpectedFindings(scratch.Path(), prefixFiles.Folder());
  EXPECT_THAT(RowsUnder("HKEY_CURRENT_USER", scratch.Path()), ::testing::ElementsAreArray(expected));
  const auto underUsers = RowsUnder("HKEY_USERS", scratch.Path());
  ASSERT_EQ(underUsers.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(underUsers[i].errorType, expected[i].errorType);
    EXPECT_EQ(underUsers[i].invalidValue, expected[i].invalidValue);
  }
  for (app::RowNumber i = 1; i <= list.Count(); ++i) EXPECT_FALSE(list.Checked(i));
}

TEST_F(WineFindingsTest, CheckMarksThroughTheListViewMessages) {
  for (int i = 1; i <= 5; ++i) app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "K\\v" + std::to_string(i), "C:\\x"});
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(app::FindingAt(list, 4).subPath, "K\\v4");

  app::SelectAll(list);
  for (app::RowNumber i = 1; i <= 5; ++i) EXPECT_TRUE(list.Checked(i)) << i;
  // The check mark as the control itself reports it, not the wrapper.
  const auto state = SendMessageA(list.Handle(), LVM_GETITEMSTATE, 2, LVIS_STATEIMAGEMASK);
  EXPECT_EQ((state & LVIS_STATEIMAGEMASK) >> 12, 2);

  ClickAt(RowTextPoint(2));  // a click on the row's text inverts its mark
  EXPECT_FALSE(list.Checked(2));
  ClickAt(RowTextPoint(2));
  EXPECT_TRUE(list.Checked(2));

  ClickAt(RowCheckBoxPoint(4));  // a click on the check box inverts it once
  EXPECT_FALSE(list.Checked(4));

  app::UnselectAll(list);
  for (app::RowNumber i = 1; i <= 5; ++i) EXPECT_FALSE(list.Checked(i)) << i;

  list.Remove(2);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(app::FindingAt(list, 2).subPath, "K\\v3");  // later rows move up
}

TEST_F(WineFindingsTest, InPlaceEditIsRefused) {
  list.BeforeLabelEdit = [](int* cancel) { app::RefuseEdit(cancel); };
  NMLVDISPINFOA info = {};
  info.hdr.hwndFrom = list.Handle();
  info.hdr.code = LVN_BEGINLABELEDITA;
  LRESULT result = 0;
  ASSERT_TRUE(list.HandleNotify(info.hdr, &result));
  EXPECT_EQ(result, TRUE);
}

// Pixels of the list's first row that differ from its background, as the
// screen shows them.
int InkInFirstRow(HWND list) {
  RECT r = {};
  r.left = LVIR_LABEL;
  if (!SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return -1;
  HDC dc = GetDC(list);
  int ink = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) ink += (GetPixel(dc, x, y) & 0xFFFFFF) != RGB(0xFB, 0xFB, 0xFB);
  }
  ReleaseDC(list, dc);
  return ink;
}

// Pumps messages for the given time, or until `done` holds.
void PumpFor(DWORD milliseconds, const std::function<bool()>& done = [] { return false; }) {
  const DWORD start = GetTickCount();
  do {
    testsupport::TestWindow::Pump();
    Sleep(5);
  } while (!done() && GetTickCount() - start < milliseconds);
}

// Pumps until the list's pending repaint is done, or twice its longest delay.
void PumpUntilRepainted(const app::Win32ListView& list) {
  PumpFor(2 * app::Win32ListView::kMaxRepaintDelayMs, [&list] { return !list.RepaintPending(); });
}

// Rows added in a burst wait for one repaint, which comes by itself through
// message processing: the rows show up, and the list is visible and drawn
// again afterwards.
TEST_F(WineFindingsTest, RowsAddedInABurstArePaintedSoonAfter) {
  ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
  PumpFor(100);
  EXPECT_EQ(InkInFirstRow(list.Handle()), -1);  // no rows yet
  for (int i = 1; i <= 300; ++i) app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "K\\v" + std::to_string(i), "C:\\x"});
  EXPECT_TRUE(list.RepaintPending());

  PumpUntilRepainted(list);
  EXPECT_FALSE(list.RepaintPending());
  EXPECT_TRUE(IsWindowVisible(list.Handle()));
  EXPECT_GT(InkInFirstRow(list.Handle()), 20);  // the first row's text is drawn

  list.Clear();  // a removal is a burst too
  EXPECT_TRUE(list.RepaintPending());
  PumpUntilRepainted(list);
  EXPECT_FALSE(list.RepaintPending());
  EXPECT_EQ(InkInFirstRow(list.Handle()), -1);
}

// A list destroyed while its repaint is pending leaves nothing behind that
// a later timer message could reach.
TEST_F(WineFindingsTest, ListDestroyedWithARepaintPending) {
  {
    app::Win32ListView shortLived(window.Handle(), ErrorListOptions());
    shortLived.Add("row");
    EXPECT_TRUE(shortLived.RepaintPending());
  }
  PumpFor(2 * app::Win32ListView::kMaxRepaintDelayMs);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(WineFindingsTest, LongTextsComeBackWhole) {
  const std::string hex = std::string(12287, 'A');
  app::AddFinding(list, {"t", "r", "s", hex});
  EXPECT_EQ(list.SubItem(1, 3), hex);
}

}  // namespace
