#include "app/backup_reg.h"

#include <cstdio>
#include <memory>

#include "app/ignoring_errors.h"
#include "engine/ansi_chars.h"

namespace app {
namespace {

constexpr char kLineEnd[] = "\r\n";

// Every backslash character doubled; a trail byte of the same value is part
// of its character and stays as it is.
std::string DoubledBackslashes(const std::string& text, const platform::CodePage& codePage) {
  std::string doubled;
  doubled.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t size = codePage.CharSize(text, at);
    doubled.append(text, at, size);
    if (size == 1 && text[at] == '\\') doubled += '\\';
    at += size;
  }
  return doubled;
}

struct RowLines {
  std::string keyLine;
  std::string valueLine;
};

RowLines LinesOfRow(const std::string& rootPath, const std::string& subPath, const std::string& invalidValue,
                    const platform::CodePage& codePage) {
  const std::string fullPath = rootPath + "\\" + subPath;
  // A value name that itself holds a backslash is split inside the name, just
  // as the removal splits it, so the backup names what the removal deletes.
  const std::size_t lastBackslash = engine::LastBackslash(fullPath, codePage);
  const std::string keyPath = fullPath.substr(0, lastBackslash);
  const std::string name = fullPath.substr(lastBackslash + 1);
  return {"[" + keyPath + "]",
          "\"" + DoubledBackslashes(name, codePage) + "\"=\"" + DoubledBackslashes(invalidValue, codePage) + "\""};
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

std::string BackupLines(const std::string& rootPath, const std::string& subPath, const std::string& invalidValue,
                        const platform::CodePage& codePage) {
  const RowLines lines = LinesOfRow(rootPath, subPath, invalidValue, codePage);
  return lines.keyLine + kLineEnd + lines.valueLine + kLineEnd;
}

std::string BackupReg(const ListView& lvErrorRegKey, platform::FileSystem& files, platform::Clock& clock,
                      const platform::CodePage& codePage) {
  const std::string folder = BackupFolderPath(files);
  // A folder that cannot be created makes the write below fail: no backup.
  if (!files.PathExists(folder)) files.CreateFolder(folder);

  const platform::LocalTime date = clock.Now();
  const platform::LocalTime time = clock.Now();
  const std::string path = folder + BackupFileName(date, time);

  // Opened (replacing a backup of the same second), written row by row and
  // closed when the writer goes: a line that cannot be written is skipped,
  // and what was written stays. A file that cannot be opened leaves no
  // backup, and the caller goes on.
  const std::unique_ptr<platform::LineWriter> file = files.OpenForWriting(path);
  if (!file) return path;
  file->WriteLine("REGEDIT4");
  file->WriteLine("");
  // Row numbers are 32-bit here, so every checked row of a list of any
  // length is written, also those after the 32,767th.
  const RowNumber count = lvErrorRegKey.Count();
  for (RowNumber row = 1; row <= count; ++row) {
    Step([&] {
      if (!lvErrorRegKey.Checked(row)) return;
      const RowLines lines = LinesOfRow(lvErrorRegKey.SubItem(row, 1), lvErrorRegKey.SubItem(row, 2),
                                        lvErrorRegKey.SubItem(row, 3), codePage);
      file->WriteLine(lines.keyLine);
      file->WriteLine(lines.valueLine);
    });
  }
  return path;
}

}  // namespace app
