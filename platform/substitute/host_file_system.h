// The file-system facility where there are no drive letters: a host folder
// stands for drive C. Windows paths ("C:\Windows\notepad.exe", "c:/x",
// "\Reg Backup\" on the current drive, relative paths from C:\) are looked up
// below that folder without regard to case; other drives do not exist.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace platform {

class HostFileSystem final : public FileSystem {
 public:
  // `driveC` is the host folder that stands for C:\. The Documents folder is
  // C:\Users\User\Documents until SetDocumentsFolder says otherwise; the
  // local application data folder is C:\Users\User\AppData\Local.
  explicit HostFileSystem(std::string driveC);

  bool PathExists(const std::string& path) override;
  std::string SpecialFolderPath(int folderId) override;
  bool CreateFolder(const std::string& path) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
  bool ReadWholeFile(const std::string& path, std::string* bytes) override;
  // Entries come sorted by name without regard to case, as NTFS yields them.
  FolderListing ListFolder(const std::string& path) override;
  std::string FileFullPath(const std::string& path) override;

  // The Windows path reported for the Documents folder; "" makes it unnameable.
  void SetDocumentsFolder(const std::string& windowsPath) { documents_ = windowsPath; }
  // The host path for a Windows path on drive C, resolving each existing
  // component without regard to case; "" for a path off drive C.
  std::string HostPath(const std::string& windowsPath) const;

 private:
  std::string driveC_;
  std::string documents_ = "C:\\Users\\User\\Documents";
};

}  // namespace platform
