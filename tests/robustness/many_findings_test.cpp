// A scan that finds 40,000 missing paths: the window is kept alive all the
// way through (messages are processed between every key's values, so no
// stretch of the walk adds more rows than one key holds), every finding is
// listed, and every list operation works on the whole list, beyond the
// 32,767 rows a 16-bit row number reaches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/error_list.h"
#include "app/finding_classifier.h"
#include "app/memory_list_view.h"
#include "app/scan_parameters.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/substitute/host_file_system.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/temp_drive.h"

namespace {

constexpr std::uint32_t HKLM = 0x80000002u;
constexpr int kKeys = 2000;
constexpr int kMissingPerKey = 20;  // 40,000 findings
constexpr app::RowNumber kFindings = kKeys * kMissingPerKey;

std::string KeyPath(int k) { return "Software\\Stale\\Group " + std::to_string(k / 100) + "\\App " + std::to_string(k); }

class ManyFindingsTest : public ::testing::Test {
 protected:
  ManyFindingsTest() : files(drive.Root().string()) {
    drive.AddFile("Present/app.exe");
    for (int k = 0; k < kKeys; ++k) {
      for (int v = 0; v < kMissingPerKey; ++v) {
        registry.SetString(HKLM, KeyPath(k), "File " + std::to_string(v),
                           "\"C:\\Gone " + std::to_string(k) + "\\f" + std::to_string(v) + ".exe\" /q");
      }
      registry.SetString(HKLM, KeyPath(k), "Present", "C:\\Present\\app.exe");  // a hit, but not a finding
    }
  }

  // Runs the scan with the program's parameters; records the row count at
  // every message-processing point.
  void Scan() {
    pump.OnEveryCall([this] { rowsAtPump.push_back(list.Count()); });
    engine::cRegSearch search(registry, pump);
    app::ConfigureScan(search);
    search.SearchFound = [this](const std::string& root, const std::string& key, const std::string& value,
                                std::int32_t lFound) { classifier.cReg_SearchFound(root, key, value, lFound); };
    search.SearchFinished = [this](std::int32_t reason) { finishedWith = reason; };
    StopScan = false;
    search.DoSearch();
  }

  testsupport::TempDrive drive;
  platform::HostFileSystem files;
  platform::MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  app::MemoryListView list;
  app::FindingClassifier classifier{list, files};
  std::vector<app::RowNumber> rowsAtPump;
  std::int32_t finishedWith = -1;
};

TEST_F(ManyFindingsTest, ScanStaysResponsiveAndListsEveryFinding) {
  Scan();
  ASSERT_EQ(finishedWith, 0);
  ASSERT_EQ(list.Count(), kFindings);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);

  // Messages were processed before the first row and after the last one...
  ASSERT_FALSE(rowsAtPump.empty());
  EXPECT_EQ(rowsAtPump.front(), 0);
  EXPECT_EQ(rowsAtPump.back(), kFindings);
  // ...and in between never more rows went in than one key's values give.
  app::RowNumber widest = 0;
  for (std::size_t i = 1; i < rowsAtPump.size(); ++i) widest = std::max(widest, rowsAtPump[i] - rowsAtPump[i - 1]);
  EXPECT_EQ(widest, kMissingPerKey);
  // Once per sub key and once at the end of each list: the 2,000 App keys,
  // 20 Group keys, Software and Stale each end a list of their own, and so
  // does each of the seven roots.
  const std::size_t keys = kKeys + 20 + 2;
  EXPECT_EQ(pump.Calls(), keys + keys + 7);

  // The rows are the findings in walk order, each one complete.
  const app::ScanFinding first = app::FindingAt(list, 1);
  EXPECT_EQ(first.errorType, "Missing or Invalid Path");
  EXPECT_EQ(first.rootPath, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(first.subPath, KeyPath(0) + "\\File 0");
  EXPECT_EQ(first.invalidValue, "\"C:\\Gone 0\\f0.exe\" /q");
  // Names enumerate sorted as text: Group 9, App 999 and File 9 come last.
  EXPECT_EQ(app::FindingAt(list, kFindings).subPath, KeyPath(999) + "\\File 9");
  for (app::RowNumber row = 1; row <= kFindings; ++row) {
    ASSERT_FALSE(list.Checked(row)) << row;  // new rows are unchecked
  }
}

TEST_F(ManyFindingsTest, EveryListOperationHandlesTheWholeList) {
  Scan();
  ASSERT_EQ(list.Count(), kFindings);

  app::SelectAll(list);
  app::RowNumber checked = 0;
  for (app::RowNumber row = 1; row <= kFindings; ++row) checked += list.Checked(row) ? 1 : 0;
  EXPECT_EQ(checked, kFindings);  // rows after 32,767 included
  EXPECT_TRUE(list.Checked(32768));
  EXPECT_TRUE(list.Checked(kFindings));

  app::UnselectAll(list);
  for (app::RowNumber row = 1; row <= kFindings; ++row) ASSERT_FALSE(list.Checked(row)) << row;

  app::ToggleRow(list, kFindings);
  app::ToggleRow(list, 32768);
  EXPECT_TRUE(list.Checked(kFindings));
  EXPECT_TRUE(list.Checked(32768));
  EXPECT_FALSE(list.Checked(32767));

  // Removing a row moves the later ones up, at either end and past 32,767.
  const std::string second = list.SubItem(2, 2);
  const std::string beyond = list.SubItem(40000, 2);
  list.Remove(1);
  EXPECT_EQ(list.Count(), kFindings - 1);
  EXPECT_EQ(list.SubItem(1, 2), second);
  EXPECT_EQ(list.SubItem(39999, 2), beyond);
  EXPECT_TRUE(list.Checked(32767));  // the checked row 32,768 moved up
  list.Remove(list.Count());
  EXPECT_EQ(list.Count(), kFindings - 2);
  list.Remove(kFindings);  // no longer a row: nothing happens
  list.Remove(0);
  EXPECT_EQ(list.Count(), kFindings - 2);

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  app::SelectAll(list);  // on the empty list: nothing to do, nothing breaks
  EXPECT_FALSE(list.Checked(1));
}

}  // namespace
