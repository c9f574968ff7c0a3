// Delete over the substitute registry, a host folder as drive C, a fixed
// clock and a recording restore-point facility.
#include "app/error_removal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/error_list.h"
#include "app/memory_list_view.h"
#include "platform/substitute/fixed_clock.h"
#include "platform/substitute/host_file_system.h"
#include "platform/substitute/memory_registry.h"
#include "platform/substitute/recording_restore_point.h"
#include "platform/substitute/scripted_message_boxes.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_drive.h"

namespace {

constexpr std::uint32_t HKCU = 0x80000001u;
namespace fs = std::filesystem;
using app::CommandButton;

class ErrorRemovalTest : public ::testing::Test {
 protected:
  ErrorRemovalTest()
      : files(drive.Root().string()),
        clock(platform::LocalTime{2026, 12, 4, 19, 9, 45}),
        removal(view, list, {registry, pump, boxes, files, clock, restorePoint}) {
    drive.AddFile("Users/User/Documents/.keep");
    for (int i = 1; i <= 5; ++i) {
      const std::string name = "v" + std::to_string(i);
      registry.SetString(HKCU, "Software\\Demo", name, "C:\\gone\\" + name + ".exe");
      app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "Software\\Demo\\" + name,
                             "C:\\gone\\" + name + ".exe"});
    }
  }

  fs::path BackupFolder() const { return drive.Root() / "Users/User/Documents/Reg Backup"; }
  std::string Backup() const { return drive.Read("Users/User/Documents/Reg Backup/Backup_04-12-2026_19-09-45.reg"); }
  std::vector<std::string> SubPaths() const {
    std::vector<std::string> paths;
    for (app::RowNumber i = 1; i <= list.Count(); ++i) paths.push_back(list.SubItem(i, 2));
    return paths;
  }

  testsupport::TempDrive drive;
  platform::HostFileSystem files;
  platform::FixedClock clock;
  platform::MemoryRegistry registry;
  platform::ScriptedMessagePump pump;
  platform::ScriptedMessageBoxes boxes;
  platform::RecordingRestorePoint restorePoint;
  app::MemoryListView list;
  testsupport::RecordingView view;
  app::ErrorRemoval removal;
};

TEST_F(ErrorRemovalTest, DeletesExactlyTheCheckedRowsAfterBackupAndRestorePoint) {
  boxes.answers = {platform::mb::kAnswerOk, platform::mb::kAnswerOk};
  list.SetChecked(2, true);
  list.SetChecked(3, true);
  int fontDuringWalk = 0;
  pump.At(1, [&] { fontDuringWalk = view.currentKeyPoints; });
  const std::size_t keys = registry.KeyCount();
  removal.removeselcmd_Click();

  EXPECT_THAT(SubPaths(), ::testing::ElementsAre("Software\\Demo\\v1", "Software\\Demo\\v4", "Software\\Demo\\v5"));
  EXPECT_FALSE(registry.HasValue(HKCU, "Software\\Demo", "v2"));
  EXPECT_FALSE(registry.HasValue(HKCU, "Software\\Demo", "v3"));
  for (const char* kept : {"v1", "v4", "v5"}) EXPECT_TRUE(registry.HasValue(HKCU, "Software\\Demo", kept));
  EXPECT_EQ(registry.KeyCount(), keys);

  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text, "Are you sure you want to delete selected items?");
  EXPECT_EQ(boxes.asked[0].flags, platform::mb::kOkCancel | platform::mb::kDefaultButton1);
  EXPECT_EQ(boxes.asked[1].text, "2 Items deleted successfully");
  EXPECT_EQ(boxes.asked[1].title, "Hivesweep");
  EXPECT_EQ(boxes.asked[1].flags, platform::mb::kOk);

  EXPECT_EQ(restorePoint.Calls().size(), 1u);
  EXPECT_EQ(Backup(),
            "REGEDIT4\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Demo]\r\n\"v2\"=\"C:\\\\gone\\\\v2.exe\"\r\n"
            "[HKEY_CURRENT_USER\\Software\\Demo]\r\n\"v3\"=\"C:\\\\gone\\\\v3.exe\"\r\n");
  EXPECT_EQ(fontDuringWalk, 12);
  EXPECT_EQ(view.currentKeyPoints, 8);
  EXPECT_FALSE(view.currentKeyBold);
  EXPECT_EQ(view.rested.back(), CommandButton::Delete);
  // Messages are processed before and after every row: 5 rows looked at, 2 removed.
  EXPECT_EQ(pump.Calls(), 11u);
}

TEST_F(ErrorRemovalTest, CancelChangesNothing) {
  boxes.answers = {platform::mb::kAnswerCancel};
  list.SetChecked(1, true);
  removal.removeselcmd_Click();
  EXPECT_EQ(list.Count(), 5);
  EXPECT_TRUE(list.Checked(1));
  EXPECT_TRUE(registry.HasValue(HKCU, "Software\\Demo", "v1"));
  EXPECT_TRUE(restorePoint.Calls().empty());
  EXPECT_TRUE(restorePoint.Bindings().empty());
  EXPECT_FALSE(fs::exists(BackupFolder()));
  EXPECT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(view.rested.back(), CommandButton::Delete);
}

TEST_F(ErrorRemovalTest, NoCheckedRowStillAsksForARestorePointAndWritesAnEmptyBackup) {
  boxes.answers = {platform::mb::kAnswerOk};
  removal.removeselcmd_Click();
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(restorePoint.Calls().size(), 1u);
  EXPECT_EQ(Backup(), "REGEDIT4\r\n\r\n");
  EXPECT_EQ(boxes.asked.size(), 1u) << "no closing message without removed rows";
}

TEST_F(ErrorRemovalTest, KeyFindingsUnknownRootsAndVanishedValuesStillLeaveTheListAndCount) {
  list.Clear();
  registry.SetString(HKCU, "Software\\Demo", "Gone", "a value named like the key");
  registry.AddKey(HKCU, "Software\\Demo\\Gone");
  app::AddFinding(list, {"Missing or Invalid Key Name", "HKEY_CURRENT_USER", "Software\\Demo\\Gone", "*"});
  app::AddFinding(list, {"Missing or Invalid Path", "HKEY_NOWHERE", "Software\\Demo\\v1", "x"});
  app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "Software\\Demo\\absent", "x"});
  app::AddFinding(list, {"Missing or Invalid Path", "HKEY_CURRENT_USER", "Software\\Demo\\v5\\", "x"});
  app::SelectAll(list);
  boxes.answers = {platform::mb::kAnswerOk, platform::mb::kAnswerOk};
  removal.removeselcmd_Click();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(boxes.asked.back().text, "4 Items deleted successfully");
  EXPECT_FALSE(registry.HasValue(HKCU, "Software\\Demo", "Gone"));
  EXPECT_TRUE(registry.HasKey(HKCU, "Software\\Demo\\Gone"));
  EXPECT_TRUE(registry.HasValue(HKCU, "Software\\Demo", "v1"));
  EXPECT_FALSE(registry.HasKey(HKCU, "Software\\Demo\\v5"));
}

TEST_F(ErrorRemovalTest, RowsUncheckedDuringTheWalkStayAndASecondClickInsideIsRefused) {
  boxes.answers = {platform::mb::kAnswerOk, platform::mb::kAnswerOk};
  app::SelectAll(list);
  pump.At(1, [&] {
    list.SetChecked(4, false);          // the user unticks a row while the walk runs
    removal.removeselcmd_Click();       // and clicks Delete again
  });
  removal.removeselcmd_Click();
  EXPECT_THAT(SubPaths(), ::testing::ElementsAre("Software\\Demo\\v4"));
  EXPECT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked.back().text, "4 Items deleted successfully");
}

TEST_F(ErrorRemovalTest, MissingDocumentsFolderStillRemoves) {
  files.SetDocumentsFolder("");
  boxes.answers = {platform::mb::kAnswerOk, platform::mb::kAnswerOk};
  list.SetChecked(5, true);
  removal.removeselcmd_Click();
  EXPECT_EQ(list.Count(), 4);
  EXPECT_FALSE(registry.HasValue(HKCU, "Software\\Demo", "v5"));
  EXPECT_TRUE(fs::exists(drive.Root() / "Reg Backup" / "Backup_04-12-2026_19-09-45.reg"));
}

}  // namespace
