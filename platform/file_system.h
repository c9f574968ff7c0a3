// The file-system facility: existence of files and folders, the user's special
// folders, folder creation, whole-file and line-by-line output. Paths are
// Windows paths in the system ANSI code page.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Special-folder id of the user's Documents folder.
constexpr int kFolderPersonal = 5;
// Special-folder id of the user's local application data folder.
constexpr int kFolderLocalAppData = 0x1C;

// The entries of one folder, in the order the file system yields them.
struct FolderListing {
  bool found = false;                   // false: no such folder
  std::vector<std::string> subFolders;  // full paths
  std::vector<std::string> files;       // names
};

// A text file open for writing line by line; it is closed when the writer
// goes, keeping every line written up to then.
class LineWriter {
 public:
  virtual ~LineWriter() = default;
  // Writes the line's bytes and CR LF; false when they were not written.
  virtual bool WriteLine(std::string_view line) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True exactly when the path names an existing file or folder; a relative
  // path is taken from the current folder.
  virtual bool PathExists(const std::string& path) = 0;
  // Path of a special folder, or the empty text when it cannot be named.
  virtual std::string SpecialFolderPath(int folderId) = 0;
  // Creates one folder whose parent exists; false when it could not.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Writes `bytes` as the whole content of the file, replacing an existing
  // one; false when the file could not be opened or written.
  virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
  // The whole content of a file; false when it could not be read. A facility
  // without files to read (a wrapper that only times calls) reads nothing.
  virtual bool ReadWholeFile(const std::string& path, std::string* bytes) {
    (void)path, (void)bytes;
    return false;
  }
  // Opens a file for writing line by line, replacing an existing one; null
  // when it cannot be opened. A facility without files to write (a wrapper
  // that only times calls) opens nothing.
  virtual std::unique_ptr<LineWriter> OpenForWriting(const std::string& path) {
    (void)path;
    return nullptr;
  }
  virtual FolderListing ListFolder(const std::string& path) = 0;
  // The full path of an existing file as the file system reports it; the
  // empty text when no file has that path.
  virtual std::string FileFullPath(const std::string& path) = 0;
};

}  // namespace platform
