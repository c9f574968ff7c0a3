// The Undo Center over a host folder as drive C and a recording shell.
#include "app/undo_center.h"

#include <gtest/gtest.h>

#include "tests/support/recording_view.h"

namespace {

using app::CommandButton;
namespace mb = platform::mb;
constexpr char kFolder[] = "C:\\Users\\User\\Documents\\Reg Backup\\";

class UndoCenterTest : public ::testing::Test, protected testsupport::AppWorld {
 protected:
  void Show(std::initializer_list<const char*> backups) {
    for (const char* name : backups) drive.AddFile("Users/User/Documents/Reg Backup/" + std::string(name), "REGEDIT4");
    undo.cmdOptions_Click();
  }
  void Remove(app::RowNumber row, std::deque<int> answers) {
    list.Select(row);
    undo.lstUndo_Click();
    boxes.answers = std::move(answers);
    undo.cmdRemove_Click();
  }
  app::UndoCenter undo{view, list, {files, shell, boxes, pump}};
};

// Every file with a "." in its name, sub-folders first, named by the text
// before and after its first dot with blanks trimmed; a name without a dot
// ends its folder's listing. Messages are processed after each sub-folder and
// each listed file. Restore and Remove then address a file of the listed name
// directly in the backup folder; when there is none, the row still goes.
TEST_F(UndoCenterTest, ListsOncePerRunSubFoldersFirstWithTheFirstDotRule) {
  Show({"Backup_04-12-2026_19-09-45.reg", "my backup .reg", " lead.reg", "old .reg .bak", "zz-no-dot", "zzz.reg",
        "older/Backup_01-01-2026_00-00-00.reg", "archive.tar.gz"});
  EXPECT_EQ(view.panel, "undo");
  EXPECT_EQ(testsupport::Rows(list, 1), "Backup_01-01-2026_00-00-00.reg\nlead.reg\narchive.tar.gz\n"
                                        "Backup_04-12-2026_19-09-45.reg\nmy backup.reg\nold.reg .bak\n");
  EXPECT_EQ(pump.Calls(), 7u);
  Show({"Backup_06-12-2026_10-00-00.reg"});  // shows after a restart only
  EXPECT_EQ(list.Count(), 6);
  Remove(5, {mb::kAnswerYes, mb::kAnswerOk});
  Remove(1, {mb::kAnswerYes, mb::kAnswerOk});
  EXPECT_EQ(list.Count(), 4);
  EXPECT_TRUE(shell.operations.empty()) << "nothing to recycle under either name";
  EXPECT_EQ(drive.Files().size(), 10u);
  EXPECT_EQ(boxes.asked.back().text, "Selected item deleted successfully");
  files.SetDocumentsFolder("");
  list.Clear();
  app::UndoCenter(view, list, {files, shell, boxes, pump}).cmdOptions_Click();  // no folder: nothing listed
  EXPECT_EQ(list.Count(), 0);
}

// Restore and Remove act only after a click on the list and on a selected
// row, Remove only after Yes. Restore opens the chosen backup; Remove recycles
// it and takes its row off.
TEST_F(UndoCenterTest, RestoreAndRemoveActOnTheChosenBackupOnly) {
  Show({"Backup_04-12-2026_19-09-45.reg", "Backup_05-12-2026_08-00-00.reg"});
  const struct { bool remove, chosen; app::RowNumber selected; int answer; } refusals[] = {
      {false, false, 1, 0}, {false, true, 0, 0}, {true, true, 2, mb::kAnswerNo}, {true, true, 2, 0},
      {true, false, 2, mb::kAnswerYes}, {true, true, 0, mb::kAnswerYes}};
  for (const auto& c : refusals) {
    undo.UndoItemChosen = c.chosen;
    list.Select(c.selected);
    boxes.answers = {c.answer};
    c.remove ? undo.cmdRemove_Click() : undo.cmdUndo_Click();
    EXPECT_EQ(undo.UndoItemChosen, c.chosen);
  }
  EXPECT_EQ(boxes.asked.size(), 4u);
  EXPECT_TRUE(shell.opened.empty() && shell.operations.empty());
  list.Select(1);
  undo.lstUndo_Click();
  undo.cmdUndo_Click();
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].file + " in " + shell.opened[0].directory,
            std::string(kFolder) + "Backup_04-12-2026_19-09-45.reg in C:\\");
  EXPECT_FALSE(undo.UndoItemChosen);

  Remove(2, {mb::kAnswerYes, mb::kAnswerOk});
  EXPECT_EQ(testsupport::Rows(list, 1), "Backup_04-12-2026_19-09-45.reg\n");
  ASSERT_EQ(shell.operations.size(), 1u);
  EXPECT_EQ(shell.operations[0].operation, 3u);
  EXPECT_EQ(shell.operations[0].flags, 0x75u);
  EXPECT_EQ(shell.operations[0].from, std::string(kFolder) + "Backup_05-12-2026_08-00-00.reg");
  EXPECT_EQ(drive.Files().size(), 2u);  // .keep and the other backup
  ASSERT_EQ(boxes.asked.size(), 6u);
  EXPECT_EQ(boxes.asked[4].text, "Are you sure you want to delete selected item.");
  EXPECT_EQ(boxes.asked[4].flags, mb::kYesNo | mb::kIconExclamation | mb::kDefaultButton1);
  EXPECT_EQ(boxes.asked[5].text + " | " + boxes.asked[5].title, "Selected item deleted successfully | Hivesweep");
  EXPECT_EQ(boxes.asked[5].flags, mb::kOk);
  EXPECT_FALSE(undo.UndoItemChosen);
  const CommandButton restore = CommandButton::Restore, remove = CommandButton::Remove;
  EXPECT_EQ(view.rested, (std::vector<CommandButton>{restore, restore, remove, remove, remove, remove, restore,
                                                     remove}));
}

}  // namespace
