// The Undo Center: the backups the removal wrote, listed once per run, with
// Restore (the platform's registry editor imports the chosen backup's exact
// twin, or the file itself when it has none or was edited) and Remove (the
// file and its twin go to the Recycle Bin).
#pragma once

#include <string>

#include "app/list_view.h"
#include "app/main_view.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/message_pump.h"
#include "platform/shell.h"

namespace app {

struct UndoPlatform {
  platform::FileSystem& files;
  platform::Shell& shell;
  platform::MessageBoxes& boxes;
  platform::MessagePump& pump;
};

class UndoCenter {
 public:
  UndoCenter(MainView& view, ListView& lstUndo, const UndoPlatform& platform)
      : view_(view), lstUndo_(lstUndo), platform_(platform) {}

  void cmdOptions_Click();
  void lstUndo_Click() { UndoItemChosen = true; }
  void cmdUndo_Click();
  void cmdRemove_Click();

  // Adds a row for every file of the folder with a "." in its name, the
  // files of its sub-folders first.
  void ListFolderFiles(const std::string& folderPath);
  // Moves one file to the Recycle Bin; nothing happens when it does not exist.
  void RecycleFile(const std::string& path);
  void ShellFileDelete(const std::string& path);

  bool BackupListed = false;
  bool UndoItemChosen = false;

 private:
  std::string ChosenBackupPath() const;
  std::string ChosenTwinPath() const;

  MainView& view_;
  ListView& lstUndo_;
  UndoPlatform platform_;
};

}  // namespace app
