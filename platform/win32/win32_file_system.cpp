#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <memory>

namespace platform {

bool Win32FileSystem::PathExists(const std::string& path) {
  return !path.empty() && PathFileExistsA(path.c_str()) != FALSE;
}

std::string Win32FileSystem::SpecialFolderPath(int folderId) {
  LPITEMIDLIST items = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, folderId, &items) != S_OK || items == nullptr) return std::string();
  char buffer[512] = {};
  const BOOL named = SHGetPathFromIDListA(items, buffer);
  CoTaskMemFree(items);
  buffer[sizeof(buffer) - 1] = '\0';
  return named ? std::string(buffer) : std::string();
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  // Trailing separators name the same folder; the call wants them gone.
  std::string folder = path;
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return CreateDirectoryA(folder.c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::WriteWholeFile(const std::string& path, const std::string& bytes) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
  return std::fflush(file.get()) == 0;
}

}  // namespace platform
