#include "platform/win32/win32_shell.h"

#include <shellapi.h>

namespace platform {

long Win32Shell::Open(const std::string& file, const std::string& directory) {
  const HINSTANCE result = ShellExecuteA(owner_, "Open", file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
  return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

int Win32Shell::FileOperation(const ShellFileOperation& operation) {
  // Both lists end with two NUL characters.
  const std::string from = operation.from + std::string(2, '\0');
  const std::string to = operation.to + std::string(2, '\0');
  SHFILEOPSTRUCTA record = {};
  record.hwnd = nullptr;
  record.wFunc = operation.operation;
  record.pFrom = from.c_str();
  record.pTo = operation.to.empty() ? nullptr : to.c_str();
  record.fFlags = static_cast<FILEOP_FLAGS>(operation.flags);
  record.lpszProgressTitle = "";
  const int result = SHFileOperationA(&record);
  // The operation was asked for its name mappings; hand them back.
  if (record.hNameMappings) SHFreeNameMappings(record.hNameMappings);
  return result;
}

}  // namespace platform
