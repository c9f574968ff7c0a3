// A fresh host folder that stands for drive C in a test, removed with all it
// holds afterwards. Relative paths use "/" separators.
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace testsupport {

class TempDrive {
 public:
  TempDrive()
      : root_(std::filesystem::temp_directory_path() /
              ("hivesweep-drive-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
               std::to_string(++created_))) {
    std::filesystem::create_directories(root_);
  }
  ~TempDrive() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // A file together with the folders it needs.
  void AddFile(const std::string& relative, const std::string& bytes = "") const {
    std::filesystem::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << bytes;
  }
  // Every file below the root, as relative paths, sorted.
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_)) {
      if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(root_).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  static inline int created_ = 0;
  std::filesystem::path root_;
};

}  // namespace testsupport
