// The file-system facility where there are no drive letters: a host folder
// stands for drive C. Windows paths ("C:\Windows\notepad.exe", "c:/x",
// "\Reg Backup\" on the current drive, relative paths from C:\) are looked up
// below that folder without regard to case; other drives do not exist. Paths
// are in the substitute code page and host names in UTF-8. The existence test
// answers as the platform's does: trailing blanks and dots are not part of a
// name, and a path ending in a separator names only a folder.
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "platform/substitute/substitute_code_page.h"

namespace platform {

class HostFileSystem final : public FileSystem {
 public:
  // `driveC` is the host folder that stands for C:\. The Documents folder is
  // C:\Users\User\Documents until SetDocumentsFolder says otherwise; the
  // local application data folder is C:\Users\User\AppData\Local.
  explicit HostFileSystem(std::string driveC,
                          const SubstituteCodePage& codePage = SubstituteCodePage::Windows1252());

  bool PathExists(const std::string& path) override;
  std::string SpecialFolderPath(int folderId) override;
  bool CreateFolder(const std::string& path) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
  bool ReadWholeFile(const std::string& path, std::string* bytes) override;
  std::unique_ptr<LineWriter> OpenForWriting(const std::string& path) override;
  // Entries come sorted by name without regard to case, as NTFS yields them.
  FolderListing ListFolder(const std::string& path) override;
  std::string FileFullPath(const std::string& path) override;

  // The Windows path reported for the Documents folder; "" makes it unnameable.
  void SetDocumentsFolder(const std::string& windowsPath) { documents_ = windowsPath; }
  // The host path for a Windows path on drive C, resolving each existing
  // component without regard to case; "" for a path off drive C.
  std::string HostPath(const std::string& windowsPath) const;
  // Every file opened for writing from now on fails to write its lines from
  // the `line`th on (counted from 1), as a full disk would; 0: none fails.
  void FailWritesFromLine(int line) { failWritesFromLine_ = line; }

 private:
  std::filesystem::path HostPathOf(const std::u32string& windowsPath) const;

  std::string driveC_;
  const SubstituteCodePage& codePage_;
  int failWritesFromLine_ = 0;
  std::string documents_ = "C:\\Users\\User\\Documents";
};

}  // namespace platform
