// The Undo Center over a host folder as drive C and a recording shell.
#include "app/undo_center.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/memory_list_view.h"
#include "platform/substitute/host_file_system.h"
#include "platform/substitute/recording_shell.h"
#include "platform/substitute/scripted_message_boxes.h"
#include "platform/substitute/scripted_message_pump.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_drive.h"

namespace {

using app::CommandButton;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

constexpr char kFolder[] = "C:\\Users\\User\\Documents\\Reg Backup\\";

class UndoCenterTest : public ::testing::Test {
 protected:
  UndoCenterTest() : files(drive.Root().string()), shell(&files), undo(view, list, {files, shell, boxes, pump}) {
    drive.AddFile("Users/User/Documents/.keep");
  }
  void AddBackup(const std::string& relative) { drive.AddFile("Users/User/Documents/Reg Backup/" + relative, "REGEDIT4\r\n\r\n"); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (app::RowNumber i = 1; i <= list.Count(); ++i) rows.push_back(list.Text(i));
    return rows;
  }
  void Choose(app::RowNumber row) {
    list.Select(row);
    undo.lstUndo_Click();
  }

  testsupport::TempDrive drive;
  platform::HostFileSystem files;
  platform::RecordingShell shell;
  platform::ScriptedMessageBoxes boxes;
  platform::ScriptedMessagePump pump;
  app::MemoryListView list{1};
  testsupport::RecordingView view;
  app::UndoCenter undo;
};

TEST_F(UndoCenterTest, ListsOncePerRunSubFoldersFirstWithTheFirstDotRule) {
  AddBackup("Backup_04-12-2026_19-09-45.reg");
  AddBackup("Backup_05-12-2026_08-00-00.reg");
  AddBackup("my backup .reg");
  AddBackup("older/Backup_01-01-2026_00-00-00.reg");
  AddBackup("archive.tar.gz");
  undo.cmdOptions_Click();
  EXPECT_TRUE(view.undoPanelShown);
  EXPECT_TRUE(undo.BackupListed);
  EXPECT_THAT(Rows(), ElementsAre("Backup_01-01-2026_00-00-00.reg",  // the sub-folder first
                                  "archive.tar.gz", "Backup_04-12-2026_19-09-45.reg",
                                  "Backup_05-12-2026_08-00-00.reg", "my backup.reg"));
  // Listed once per run: a later backup shows after a restart only.
  AddBackup("Backup_06-12-2026_10-00-00.reg");
  undo.cmdOptions_Click();
  EXPECT_EQ(list.Count(), 5);
}

TEST_F(UndoCenterTest, NameWithoutADotEndsTheListingOfItsFolder) {
  AddBackup("A.reg");
  AddBackup("B-no-dot");
  AddBackup("C.reg");
  AddBackup("sub/D.reg");
  undo.cmdOptions_Click();
  EXPECT_THAT(Rows(), ElementsAre("D.reg", "A.reg"));
}

TEST_F(UndoCenterTest, NoFolderOrNoDocumentsListsNothing) {
  undo.cmdOptions_Click();
  EXPECT_EQ(list.Count(), 0);
  files.SetDocumentsFolder("");
  app::UndoCenter second(view, list, {files, shell, boxes, pump});
  second.cmdOptions_Click();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(UndoCenterTest, RestoreOpensTheChosenBackupOnlyAfterAClickOnTheList) {
  AddBackup("Backup_04-12-2026_19-09-45.reg");
  undo.cmdOptions_Click();
  list.Select(1);
  undo.cmdUndo_Click();  // no click on the list yet
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(view.rested.back(), CommandButton::Restore);

  undo.lstUndo_Click();
  undo.cmdUndo_Click();
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].file, std::string(kFolder) + "Backup_04-12-2026_19-09-45.reg");
  EXPECT_EQ(shell.opened[0].directory, "C:\\");
  EXPECT_FALSE(undo.UndoItemChosen);
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(UndoCenterTest, RemoveAsksThenRecyclesAndTakesTheRowOff) {
  AddBackup("Backup_04-12-2026_19-09-45.reg");
  AddBackup("Backup_05-12-2026_08-00-00.reg");
  undo.cmdOptions_Click();
  Choose(2);

  boxes.answers = {platform::mb::kAnswerNo};
  undo.cmdRemove_Click();
  EXPECT_EQ(list.Count(), 2);
  EXPECT_TRUE(undo.UndoItemChosen);
  EXPECT_TRUE(shell.operations.empty());

  boxes.answers = {platform::mb::kAnswerYes, platform::mb::kAnswerOk};
  undo.cmdRemove_Click();
  EXPECT_THAT(Rows(), ElementsAre("Backup_04-12-2026_19-09-45.reg"));
  ASSERT_EQ(shell.operations.size(), 1u);
  EXPECT_EQ(shell.operations[0].operation, 3u);
  EXPECT_EQ(shell.operations[0].flags, 0x75u);
  EXPECT_EQ(shell.operations[0].from, std::string(kFolder) + "Backup_05-12-2026_08-00-00.reg");
  EXPECT_FALSE(fs::exists(drive.Root() / "Users/User/Documents/Reg Backup/Backup_05-12-2026_08-00-00.reg"));
  ASSERT_EQ(boxes.asked.size(), 3u);
  EXPECT_EQ(boxes.asked[0].text, "Are you sure you want to delete selected item.");
  EXPECT_EQ(boxes.asked[0].flags, platform::mb::kYesNo | platform::mb::kIconExclamation | platform::mb::kDefaultButton1);
  EXPECT_EQ(boxes.asked[2].text, "Selected item deleted successfully");
  EXPECT_EQ(boxes.asked[2].flags, platform::mb::kOk);
  EXPECT_FALSE(undo.UndoItemChosen);
  EXPECT_EQ(view.rested.back(), CommandButton::Remove);
}

TEST_F(UndoCenterTest, RemoveOfAFileThatIsNotThereStillTakesTheRowOff) {
  AddBackup("my backup .reg");          // listed as "my backup.reg"
  AddBackup("sub/Backup_in_sub.reg");   // addressed directly in the backup folder
  undo.cmdOptions_Click();
  boxes.answers = {platform::mb::kAnswerYes, platform::mb::kAnswerOk, platform::mb::kAnswerYes,
                   platform::mb::kAnswerOk};
  Choose(2);
  undo.cmdRemove_Click();
  Choose(1);
  undo.cmdRemove_Click();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(shell.operations.empty()) << "nothing to recycle under either name";
  EXPECT_TRUE(fs::exists(drive.Root() / "Users/User/Documents/Reg Backup/my backup .reg"));
  EXPECT_TRUE(fs::exists(drive.Root() / "Users/User/Documents/Reg Backup/sub/Backup_in_sub.reg"));
  EXPECT_EQ(boxes.asked.back().text, "Selected item deleted successfully");
}

TEST_F(UndoCenterTest, RemoveWithoutAChosenRowAsksButDoesNothing) {
  AddBackup("A.reg");
  undo.cmdOptions_Click();
  list.Select(1);
  boxes.answers = {platform::mb::kAnswerYes};
  undo.cmdRemove_Click();
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(boxes.asked.size(), 1u);
}

}  // namespace
