// The shell facility: opening a file or address with the program the platform
// associates with it, and the shell's file operations (to the Recycle Bin).
#pragma once

#include <string>

namespace platform {

// One shell file operation, as the platform's operation record holds it.
struct ShellFileOperation {
  unsigned operation = 0;  // 3 = delete
  std::string from;        // one path; the list's double NUL is added by the backend
  std::string to;
  unsigned flags = 0;
};

namespace shell_op {
constexpr unsigned kDelete = 3;
constexpr unsigned kMultiDestFiles = 0x1;
constexpr unsigned kSilent = 0x4;
constexpr unsigned kNoConfirmation = 0x10;
constexpr unsigned kWantMappingHandle = 0x20;
constexpr unsigned kAllowUndo = 0x40;
}  // namespace shell_op

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens `file` with the verb "Open", no parameters, `directory` as working
  // folder and a normal window; returns the platform's result (above 32 when
  // the open was started).
  virtual long Open(const std::string& file, const std::string& directory) = 0;
  // Runs one file operation; returns the platform's result (0 on success).
  virtual int FileOperation(const ShellFileOperation& operation) = 0;
};

}  // namespace platform
