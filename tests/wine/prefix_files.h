// A folder of the prefix's drive C for one test, holding present.exe.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Removed with its file afterwards.
class PrefixFiles {
 public:
  PrefixFiles() : folder_("C:\\HsTest-" + std::to_string(GetCurrentProcessId())) {
    CreateDirectoryA(folder_.c_str(), nullptr);
    HANDLE file = CreateFileA(Present().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  ~PrefixFiles() {
    DeleteFileA(Present().c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  const std::string& Folder() const { return folder_; }
  std::string Present() const { return folder_ + "\\present.exe"; }

 private:
  std::string folder_;
};

}  // namespace testsupport
