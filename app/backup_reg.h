// The backup written before checked findings are removed: one REGEDIT4 file
// in "Reg Backup" inside the user's Documents folder, named after the local
// date and time, that records each checked row as a key and a string value in
// the shape in which the removal deletes it.
#pragma once

#include <string>

#include "app/list_view.h"
#include "engine/text_compare.h"
#include "platform/code_page.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace app {

// The folder the backups go to, ending in "\": Documents, "\Reg Backup\".
// When the Documents folder cannot be named this is "\Reg Backup\" on the
// current drive.
std::string BackupFolderPath(platform::FileSystem& files);

// "Backup_dd-mm-yyyy_hh-nn-ss.reg": the date of one clock reading and the
// time of day (24-hour) of the next.
std::string BackupFileName(const platform::LocalTime& date, const platform::LocalTime& time);

// The key line and the value line of one finding, each ending in CR LF: the
// full path root, "\", sub path is split at its last "\" into the key and the
// value name; backslashes in the name and the data are doubled, nothing else
// is escaped. Splits and escapes go by the characters of `codePage`.
std::string BackupLines(const std::string& rootPath, const std::string& subPath, const std::string& invalidValue,
                        const platform::CodePage& codePage = engine::DefaultCodePage());

// Writes the backup of the checked rows, in list order, line by line. Every
// failure is silent: when the folder cannot be created or the file cannot be
// opened there is no backup, a line that cannot be written is left out, and
// the caller goes on. Returns the path the file was
// given, written or not, so that its exact twin can take the same name.
std::string BackupReg(const ListView& lvErrorRegKey, platform::FileSystem& files, platform::Clock& clock,
                      const platform::CodePage& codePage = engine::DefaultCodePage());

}  // namespace app
