// The file-system facility over shlwapi, shell32 and the C runtime's file output.
#pragma once

#include "platform/file_system.h"

namespace platform {

class Win32FileSystem final : public FileSystem {
 public:
  bool PathExists(const std::string& path) override;
  std::string SpecialFolderPath(int folderId) override;
  bool CreateFolder(const std::string& path) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
  bool ReadWholeFile(const std::string& path, std::string* bytes) override;
  // Through CreateFileA and one WriteFile a line.
  std::unique_ptr<LineWriter> OpenForWriting(const std::string& path) override;
  FolderListing ListFolder(const std::string& path) override;
  std::string FileFullPath(const std::string& path) override;
};

}  // namespace platform
