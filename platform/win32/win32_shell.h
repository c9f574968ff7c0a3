// The shell facility over ShellExecuteA and SHFileOperationA.
#pragma once

#include <windows.h>

#include "platform/shell.h"

namespace platform {

class Win32Shell final : public Shell {
 public:
  // The window that owns what the shell opens.
  void SetOwner(HWND owner) { owner_ = owner; }
  long Open(const std::string& file, const std::string& directory) override;
  int FileOperation(const ShellFileOperation& operation) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace platform
