#include "app/undo_center.h"

#include "app/exact_backup.h"
#include "app/ignoring_errors.h"

namespace app {
namespace {

std::string TrimBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void UndoCenter::cmdOptions_Click() {
  Step([&] { view_.ShowUndoPanel(); });
  if (!BackupListed) {
    Step([&] { ListFolderFiles(platform_.files.SpecialFolderPath(platform::kFolderPersonal) + "\\Reg Backup"); });
    BackupListed = true;
  }
}

void UndoCenter::ListFolderFiles(const std::string& folderPath) {
  const platform::FolderListing listing = platform_.files.ListFolder(folderPath);
  for (const std::string& subFolder : listing.subFolders) {
    Step([&] { ListFolderFiles(subFolder); });
    Step([&] { platform_.pump.ProcessPending(); });
  }
  for (const std::string& name : listing.files) {
    const std::size_t dot = name.find('.');
    // A name without a dot ends the listing of this folder.
    if (dot == std::string::npos) return;
    Step([&] { platform_.pump.ProcessPending(); });
    Step([&] { lstUndo_.Add(TrimBlanks(name.substr(0, dot)) + "." + TrimBlanks(name.substr(dot + 1))); });
  }
}

std::string UndoCenter::ChosenBackupPath() const {
  return platform_.files.SpecialFolderPath(platform::kFolderPersonal) + "\\Reg Backup\\" +
         lstUndo_.Text(lstUndo_.SelectedRow());
}

std::string UndoCenter::ChosenTwinPath() const {
  return ExactTwinPath(platform_.files, lstUndo_.Text(lstUndo_.SelectedRow()));
}

void UndoCenter::cmdUndo_Click() {
  Step([&] {
    if (!UndoItemChosen || lstUndo_.SelectedRow() == 0) return;
    platform_.shell.Open(RestoreSource(platform_.files, ChosenBackupPath(), ChosenTwinPath()), "C:\\");
    UndoItemChosen = false;
  });
  Step([&] { view_.RestButton(CommandButton::Restore); });
}

void UndoCenter::cmdRemove_Click() {
  int answer = 0;
  Step([&] {
    answer = platform_.boxes.Show("Are you sure you want to delete selected item.", kApplicationTitle,
                                  platform::mb::kYesNo | platform::mb::kDefaultButton1 |
                                      platform::mb::kIconExclamation);
  });
  Step([&] {
    const RowNumber selected = lstUndo_.SelectedRow();
    if (answer != platform::mb::kAnswerYes || !UndoItemChosen || selected == 0) return;
    RecycleFile(ChosenBackupPath());
    const std::string twin = ChosenTwinPath();
    if (!twin.empty()) RecycleFile(twin);
    lstUndo_.Remove(selected);
    platform_.boxes.Show("Selected item deleted successfully", kApplicationTitle, platform::mb::kOk);
    UndoItemChosen = false;
  });
  Step([&] { view_.RestButton(CommandButton::Remove); });
}

void UndoCenter::RecycleFile(const std::string& path) {
  const std::string fullPath = platform_.files.FileFullPath(path);
  // No such file: nothing to delete (an empty source would name no file).
  if (fullPath.empty()) return;
  ShellFileDelete(fullPath);
}

void UndoCenter::ShellFileDelete(const std::string& path) {
  platform::ShellFileOperation operation;
  operation.operation = platform::shell_op::kDelete;
  operation.from = path;
  operation.flags = platform::shell_op::kMultiDestFiles | platform::shell_op::kSilent |
                    platform::shell_op::kNoConfirmation | platform::shell_op::kWantMappingHandle |
                    platform::shell_op::kAllowUndo;
  platform_.shell.FileOperation(operation);
}

}  // namespace app
