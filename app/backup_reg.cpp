#include "app/backup_reg.h"

#include <cstdio>

namespace app {
namespace {

constexpr char kLineEnd[] = "\r\n";

std::string DoubledBackslashes(const std::string& text) {
  std::string doubled;
  doubled.reserve(text.size());
  for (const char c : text) {
    doubled += c;
    if (c == '\\') doubled += '\\';
  }
  return doubled;
}

}  // namespace

std::string BackupFolderPath(platform::FileSystem& files) {
  return files.SpecialFolderPath(platform::kFolderPersonal) + "\\Reg Backup\\";
}

std::string BackupFileName(const platform::LocalTime& date, const platform::LocalTime& time) {
  char name[96];  // room for any field values, so nothing is cut
  std::snprintf(name, sizeof(name), "Backup_%02d-%02d-%04d_%02d-%02d-%02d.reg", date.day, date.month, date.year,
                time.hour, time.minute, time.second);
  return name;
}

std::string BackupLines(const std::string& rootPath, const std::string& subPath, const std::string& invalidValue) {
  const std::string fullPath = rootPath + "\\" + subPath;
  // A value name that itself holds a backslash is split inside the name, just
  // as the removal splits it, so the backup names what the removal deletes.
  const std::size_t lastBackslash = fullPath.rfind('\\');
  const std::string keyPath = fullPath.substr(0, lastBackslash);
  const std::string name = fullPath.substr(lastBackslash + 1);
  return "[" + keyPath + "]" + kLineEnd + "\"" + DoubledBackslashes(name) + "\"=\"" + DoubledBackslashes(invalidValue) +
         "\"" + kLineEnd;
}

std::string BackupReg(const ListView& lvErrorRegKey, platform::FileSystem& files, platform::Clock& clock) {
  const std::string folder = BackupFolderPath(files);
  // A folder that cannot be created makes the write below fail: no backup.
  if (!files.PathExists(folder)) files.CreateFolder(folder);

  const platform::LocalTime date = clock.Now();
  const platform::LocalTime time = clock.Now();
  const std::string path = folder + BackupFileName(date, time);

  std::string content = std::string("REGEDIT4") + kLineEnd + kLineEnd;
  // Row numbers are 32-bit here, so every checked row of a list of any
  // length is written, also those after the 32,767th.
  const RowNumber count = lvErrorRegKey.Count();
  for (RowNumber row = 1; row <= count; ++row) {
    if (!lvErrorRegKey.Checked(row)) continue;
    content += BackupLines(lvErrorRegKey.SubItem(row, 1), lvErrorRegKey.SubItem(row, 2), lvErrorRegKey.SubItem(row, 3));
  }
  // Replaces a backup of the same second; a file that cannot be written leaves
  // no backup, and the caller goes on.
  files.WriteWholeFile(path, content);
  return path;
}

}  // namespace app
