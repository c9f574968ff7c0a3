#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <memory>

namespace platform {
namespace {

class Win32LineWriter final : public LineWriter {
 public:
  explicit Win32LineWriter(HANDLE file) : file_(file) {}
  ~Win32LineWriter() override { CloseHandle(file_); }
  Win32LineWriter(const Win32LineWriter&) = delete;
  Win32LineWriter& operator=(const Win32LineWriter&) = delete;

  bool WriteLine(std::string_view line) override {
    std::string bytes(line);
    bytes += "\r\n";
    DWORD written = 0;
    return WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
           written == bytes.size();
  }

 private:
  HANDLE file_;
};

}  // namespace

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

bool Win32FileSystem::ReadWholeFile(const std::string& path, std::string* bytes) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  bytes->clear();
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0) bytes->append(buffer, got);
  return std::ferror(file.get()) == 0;
}

std::unique_ptr<LineWriter> Win32FileSystem::OpenForWriting(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32LineWriter>(file);
}

FolderListing Win32FileSystem::ListFolder(const std::string& path) {
  FolderListing listing;
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return listing;
  listing.found = true;
  WIN32_FIND_DATAA entry = {};
  // Closed on every way out, a failed allocation included.
  struct Search {
    HANDLE handle;
    ~Search() {
      if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
  } const search{FindFirstFileA((folder + "\\*").c_str(), &entry)};
  if (search.handle == INVALID_HANDLE_VALUE) return listing;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      listing.subFolders.push_back(folder + "\\" + name);
    } else {
      listing.files.push_back(name);
    }
  } while (FindNextFileA(search.handle, &entry));
  return listing;
}

std::string Win32FileSystem::FileFullPath(const std::string& path) {
  if (path.empty()) return std::string();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::string();
  char full[MAX_PATH * 4] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
  return length > 0 && length < sizeof(full) ? std::string(full, length) : std::string();
}

}  // namespace platform
