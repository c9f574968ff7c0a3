#include "app/error_removal.h"

#include <string>

#include "app/backup_reg.h"
#include "app/create_point.h"
#include "app/exact_backup.h"
#include "app/ignoring_errors.h"
#include "engine/registry_access.h"
#include "engine/root_keys.h"

namespace app {
void ErrorRemoval::removeselcmd_Click() {
  // The walk below processes window messages, so a second click could arrive
  // inside it; it would back up and delete the same rows a second time.
  if (removing_) return;
  int answer = 0;
  Step([&] {
    answer = platform_.boxes.Show("Are you sure you want to delete selected items?", kApplicationTitle,
                                  platform::mb::kOkCancel | platform::mb::kDefaultButton1);
  });
  if (answer != platform::mb::kAnswerOk) {
    Step([&] { view_.RestButton(CommandButton::Delete); });
    return;
  }
  removing_ = true;

  bool style = true;
  Step([&] { CreatePoint(style, platform_.restorePoint, platform_.clock); });
  RowNumber row = 1;
  long removedCount = 0;
  Step([&] { view_.SetCurrentKeyFont(12, true); });
  std::string backupPath;
  Step([&] { backupPath = BackupReg(lvErrorRegKey_, platform_.files, platform_.clock, platform_.codePage); });
  // The exact twin reads the values before the walk deletes them; it is a
  // step of its own, so nothing it meets can stop the removal.
  Step([&] {
    WriteExactBackup(lvErrorRegKey_, platform_.registry, platform_.files, backupPath, platform_.codePage);
  });

  // Rows are taken in list order; a removed row's successor moves up into
  // its place and is looked at next. Row numbers are 32-bit, so lists of any
  // length are walked to their end, as the backup wrote them.
  engine::RegistryAccess registry(platform_.registry, platform_.codePage);
  while (true) {
    Step([&] { platform_.pump.ProcessPending(); });
    if (row > lvErrorRegKey_.Count()) break;
    bool removed = false;
    Step([&] {
      if (!lvErrorRegKey_.Checked(row)) return;
      const engine::RootHandle root = engine::RootKeyFromName(lvErrorRegKey_.SubItem(row, 1));
      const std::string subPath = lvErrorRegKey_.SubItem(row, 2);
      registry.DeleteValueAtPath(root, subPath);
      lvErrorRegKey_.Remove(row);
      removed = true;
    });
    if (removed) {
      ++removedCount;
    } else {
      ++row;
    }
    Step([&] { platform_.pump.ProcessPending(); });
  }

  Step([&] { view_.SetCurrentKeyFont(8, false); });
  Step([&] { view_.SetCurrentKey(""); });
  if (removedCount != 0) {
    Step([&] {
      platform_.boxes.Show(std::to_string(removedCount) + " Items deleted successfully", kApplicationTitle,
                           platform::mb::kOk);
    });
  }
  removing_ = false;
  Step([&] { view_.RestButton(CommandButton::Delete); });
}

}  // namespace app
