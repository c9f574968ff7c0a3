// A shell that records what it is asked to open and to do. A delete is
// carried out on the host file system, so that the file leaves its folder.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/substitute/host_file_system.h"

namespace platform {

class RecordingShell final : public Shell {
 public:
  struct Opened {
    std::string file;
    std::string directory;
  };

  explicit RecordingShell(HostFileSystem* files = nullptr) : files_(files) {}

  long Open(const std::string& file, const std::string& directory) override {
    opened.push_back({file, directory});
    return 42;
  }
  int FileOperation(const ShellFileOperation& operation) override {
    operations.push_back(operation);
    if (operation.operation == shell_op::kDelete && files_) {
      const std::string host = files_->HostPath(operation.from);
      return !host.empty() && std::remove(host.c_str()) == 0 ? 0 : 2;
    }
    return 0;
  }

  std::vector<Opened> opened;
  std::vector<ShellFileOperation> operations;

 private:
  HostFileSystem* files_;
};

}  // namespace platform
