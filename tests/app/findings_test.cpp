// From search hits to rows of the error list, without a window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/error_list.h"
#include "app/finding_classifier.h"
#include "app/memory_list_view.h"
#include "app/scan_parameters.h"
#include "engine/reg_search.h"
#include "engine/stop_scan.h"
#include "platform/substitute/host_file_system.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/finding_tree.h"
#include "tests/support/memory_tree.h"
#include "tests/support/temp_drive.h"

namespace {

constexpr std::uint32_t HKCU = 0x80000001u;
constexpr std::uint32_t HKU = 0x80000003u;

std::vector<app::ScanFinding> Rows(const app::ListView& list) {
  std::vector<app::ScanFinding> rows;
  for (app::RowNumber i = 1; i <= list.Count(); ++i) rows.push_back(app::FindingAt(list, i));
  return rows;
}

class FindingsTest : public ::testing::Test {
 protected:
  FindingsTest() : files(drive.Root().string()) { drive.AddFile("HsTest/present.exe"); }

  testsupport::TempDrive drive;
  platform::HostFileSystem files;
  app::MemoryListView list;
  app::FindingClassifier classifier{list, files};
};

TEST_F(FindingsTest, HitBecomesARowOnlyWhenItsPathIsMissing) {
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\v", "\"C:\\HsTest\\present.exe\" /q", 2);
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\*", "*", 0);  // key-name hit: extracts to C:\ .
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\C:\\gone\\a.exe", "0x00000001(1)", 1);
  classifier.cReg_SearchFound("HKEY_CURRENT_USER", "K\\x", "c:\\gone\\lower.exe", 2);
  EXPECT_EQ(list.Count(), 0);

  classifier.cReg_SearchFound("HKEY_LOCAL_MACHINE", "K\\w", "C:\\HsTest\\gone.exe /p", 2);
  classifier.cReg_SearchFound("HKEY_USERS", "K\\C:\\x", "C:\\HsTest\\gone.exe", 1);
  classifier.cReg_SearchFound("HKEY_USERS", "K\\odd", "C:\\HsTest\\gone.exe", 9);
  EXPECT_THAT(Rows(list),
              ::testing::ElementsAre(
                  app::ScanFinding{"Missing or Invalid Path", "HKEY_LOCAL_MACHINE", "K\\w", "C:\\HsTest\\gone.exe /p"},
                  app::ScanFinding{"Missing or Invalid Value Name", "HKEY_USERS", "K\\C:\\x", "C:\\HsTest\\gone.exe"},
                  app::ScanFinding{"", "HKEY_USERS", "K\\odd", "C:\\HsTest\\gone.exe"}));
  EXPECT_FALSE(list.Checked(1));
}

TEST_F(FindingsTest, FullScanOfTheSubstituteListsOneRowPerMissingPath) {
  platform::MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  const std::string base = "Software\\HivesweepTest\\native";
  testsupport::BuildTree(registry, HKCU, base, testsupport::FindingTree("C:\\HsTest"));
  registry.SetString(HKU, "S-1-5-21\\Other", "Tool", "C:\\HsTest\\gone\\tool.exe");
  registry.SetString(0x80000002u, "SOFTWARE\\Present", "Tool", "C:\\HsTest\\present.exe");

  engine::cRegSearch search(registry, pump);
  app::ConfigureScan(search);
  search.SearchFound = [this](const std::string& root, const std::string& key, const std::string& value,
                              std::int32_t lFound) { classifier.cReg_SearchFound(root, key, value, lFound); };
  StopScan = false;
  search.DoSearch();

  auto expected = testsupport::ExpectedFindings(base, "C:\\HsTest");
  expected.push_back({"Missing or Invalid Path", "HKEY_USERS", "S-1-5-21\\Other\\Tool", "C:\\HsTest\\gone\\tool.exe"});
  EXPECT_THAT(Rows(list), ::testing::ElementsAreArray(expected));
}

TEST(ErrorList, SelectUnselectAndRowClicks) {
  app::MemoryListView list;
  app::SelectAll(list);  // empty list: nothing to do, nothing breaks
  app::UnselectAll(list);
  for (int i = 0; i < 5; ++i) app::AddFinding(list, {"t", "r", "s" + std::to_string(i), "v"});
  app::SelectAll(list);
  for (app::RowNumber i = 1; i <= 5; ++i) EXPECT_TRUE(list.Checked(i));
  app::ToggleRow(list, 3);
  EXPECT_FALSE(list.Checked(3));
  app::ToggleRow(list, 3);
  app::ToggleRow(list, 3);
  EXPECT_FALSE(list.Checked(3));
  app::ToggleRow(list, 0);  // no row under the click
  app::ToggleRow(list, 6);
  app::UnselectAll(list);
  for (app::RowNumber i = 1; i <= 5; ++i) EXPECT_FALSE(list.Checked(i));
  int cancel = 0;
  app::RefuseEdit(&cancel);
  EXPECT_EQ(cancel, 1);
}

TEST(ErrorList, ListsBeyondSixteenBitRowNumbersAreHandledWhole) {
  app::MemoryListView list;
  for (int i = 0; i < 40000; ++i) app::AddFinding(list, {"t", "r", "s", "v"});
  app::SelectAll(list);
  EXPECT_TRUE(list.Checked(32768));
  EXPECT_TRUE(list.Checked(40000));
  app::UnselectAll(list);
  EXPECT_FALSE(list.Checked(40000));
}

TEST(HostFileSystem, DriveCIsAHostFolderLookedUpWithoutCase) {
  testsupport::TempDrive drive;
  drive.AddFile("Program Files/App/App.EXE");
  platform::HostFileSystem files(drive.Root().string());
  EXPECT_TRUE(files.PathExists("C:\\"));
  EXPECT_TRUE(files.PathExists("C:\\program files\\app\\app.exe"));
  EXPECT_TRUE(files.PathExists("c:/Program Files/App"));
  EXPECT_TRUE(files.PathExists("C:\\Program Files\\App\\"));
  EXPECT_TRUE(files.PathExists("Program Files\\App\\App.exe"));  // relative: from C:\ .
  EXPECT_FALSE(files.PathExists("C:\\Program Files\\App\\app.exe.bak"));
  EXPECT_FALSE(files.PathExists("D:\\Program Files"));
  EXPECT_FALSE(files.PathExists(""));
  EXPECT_FALSE(files.PathExists("C:\\Program Files\\App\\*.exe"));
}

}  // namespace
