// A fresh host folder standing for drive C, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/substitute/host_file_system.h"

namespace testsupport {

class TempDrive {
 public:
  TempDrive() {
    static int counter = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("hivesweep-drive-c-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
             std::to_string(++counter));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~TempDrive() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  // Creates a file (and its folders) from a path relative to C:\, with '/' separators.
  void AddFile(const std::string& relative, const std::string& content = "") const {
    const auto path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  const std::filesystem::path& Root() const { return root_; }

 private:
  std::filesystem::path root_;
};

}  // namespace testsupport
