// A scan that finds 40,000 missing paths: messages are processed between every
// key's values, every finding is listed in walk order and counted, and the
// list and the backup handle the whole list, beyond the 32,767 rows a 16-bit
// row number reaches.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/backup_reg.h"
#include "app/error_list.h"
#include "app/scan_session.h"
#include "tests/support/finding_tree.h"
#include "tests/support/recording_view.h"

namespace {

constexpr app::RowNumber kFindings = 40000;  // 2,000 keys of 20

std::string KeyPath(int k) { return "Software\\Stale\\Group " + std::to_string(k / 100) + "\\App " + std::to_string(k); }

TEST(ManyFindings, ScanStaysResponsiveAndEveryListOperationHandlesTheWholeList) {
  testsupport::AppWorld world;
  auto& list = world.list;
  world.drive.AddFile("Present/app.exe");
  for (int k = 0; k < 2000; ++k) {
    for (int v = 0; v < 20; ++v) {
      world.registry.SetString(0x80000002u, KeyPath(k), "File " + std::to_string(v),
                               "\"C:\\Gone " + std::to_string(k) + "\\f" + std::to_string(v) + ".exe\" /q");
    }
    world.registry.SetString(0x80000002u, KeyPath(k), "Present", "C:\\Present\\app.exe");  // a hit, not a finding
  }
  std::vector<app::RowNumber> rowsAtPump;
  world.pump.OnEveryCall([&] { rowsAtPump.push_back(list.Count()); });
  app::ScanSession(world.view, list, {world.registry, world.pump, world.boxes, world.files}).cmdStart_Click();

  ASSERT_EQ(world.view.errorCount, "40000");
  // Between two message-processing points never more rows went in than one key's values give.
  app::RowNumber widest = 0;
  for (std::size_t i = 1; i < rowsAtPump.size(); ++i) widest = std::max(widest, rowsAtPump[i] - rowsAtPump[i - 1]);
  EXPECT_EQ(widest, 20);
  EXPECT_EQ(app::FindingAt(list, 1), (app::ScanFinding{"Missing or Invalid Path", "HKEY_LOCAL_MACHINE",
                                                       KeyPath(0) + "\\File 0", "\"C:\\Gone 0\\f0.exe\" /q"}));
  EXPECT_EQ(app::FindingAt(list, kFindings).subPath, KeyPath(999) + "\\File 9");  // names enumerate sorted as text
  EXPECT_EQ(testsupport::Checks(list), std::string(kFindings, '-'));  // new rows are unchecked
  app::SelectAll(list);
  EXPECT_EQ(testsupport::Checks(list), std::string(kFindings, 'x'));
  app::BackupReg(list, world.files, world.clock);
  const std::string backup = world.drive.Read("Users/User/Documents/Reg Backup/Backup_04-12-2026_19-09-45.reg");
  EXPECT_EQ(std::count(backup.begin(), backup.end(), '\n'), 2 + 2 * kFindings);
  app::ToggleRow(list, kFindings);
  EXPECT_FALSE(list.Checked(kFindings));
  app::UnselectAll(list);
  EXPECT_EQ(testsupport::Checks(list), std::string(kFindings, '-'));
}

}  // namespace
