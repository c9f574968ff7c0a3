// The exact twin of a backup. The plain backup records each row as its
// display text in a string value; its twin, a file of the same name in a
// folder of the program's own under the user's local application data (one
// the Undo Center does not list), records each checked row's value as the
// registry held it just before the removal: real name, type and every byte.
// The twin also records the plain file's length and hash, so that Restore can
// tell whether the plain file is still as it was written.
#pragma once

#include <string>

#include "app/list_view.h"
#include "engine/text_compare.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/registry.h"

namespace app {

// <local application data>\Zentrova\Hivesweep\Exact\ ; the empty text when
// the platform cannot name the local application data folder.
std::string ExactFolderPath(platform::FileSystem& files);

// The twin of the backup file with this name, or "" when there is no folder.
std::string ExactTwinPath(platform::FileSystem& files, const std::string& backupName);

// The comment line's text that ties a twin to the plain file's bytes.
std::string PlainFileStamp(const std::string& plainBytes);

// Writes the twin of the plain backup at `plainPath`, named as the backup
// named it. Each checked row's value is read by name through the key path and
// name the removal deletes (the sub path split at its last backslash, a
// character of its own in `codePage`); a row
// whose value does not exist, or whose root is not a root, writes nothing.
// Every failure is silent, and no twin is written when the plain file cannot
// be read back.
void WriteExactBackup(const ListView& lvErrorRegKey, platform::Registry& registry, platform::FileSystem& files,
                      const std::string& plainPath, const platform::CodePage& codePage = engine::DefaultCodePage());

// The file Restore hands to the platform for a backup: its twin when the twin
// exists and records the plain file's bytes as they are now, else the plain
// file (missing, edited by the user, or without a twin).
std::string RestoreSource(platform::FileSystem& files, const std::string& plainPath, const std::string& twinPath);

}  // namespace app
