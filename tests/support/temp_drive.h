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
  TempDrive() { std::filesystem::create_directories(root_); }
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
  static std::filesystem::path Fresh() {
    static int counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::filesystem::temp_directory_path() /
           ("hivesweep-drive-" + std::to_string(stamp) + "-" + std::to_string(++counter));
  }
  std::filesystem::path root_ = Fresh();
};

}  // namespace testsupport
