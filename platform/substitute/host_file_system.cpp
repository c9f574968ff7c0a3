#include "platform/substitute/host_file_system.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char32_t c) { return c == U'\\' || c == U'/'; }

std::string FoldedName(const fs::path& name) { return EncodeUtf8(FoldCase(DecodeUtf8(name.u8string()))); }

// The components of a Windows path on drive C (in characters), or false for
// another drive. `.` and `..` are resolved, and a component other than the
// last loses one trailing dot, as the platform's path rules have it.
bool DriveCComponents(std::u32string path, std::vector<std::u32string>* parts) {
  if (path.size() >= 2 && path[1] == U':') {
    if (FoldCase(path[0]) != U'C') return false;
    path.erase(0, 2);
  }
  parts->clear();
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::u32string part = path.substr(start, end - start);
    if (part == U"..") {
      if (!parts->empty()) parts->pop_back();
    } else if (!part.empty() && part != U".") {
      if (end < path.size() && part.back() == U'.') part.pop_back();
      parts->push_back(std::move(part));
    }
    if (end == path.size()) break;
    start = end + 1;
  }
  return true;
}

}  // namespace

HostFileSystem::HostFileSystem(std::string driveC, const SubstituteCodePage& codePage)
    : driveC_(std::move(driveC)), codePage_(codePage) {}

std::string HostFileSystem::HostPath(const std::string& windowsPath) const {
  return HostPathOf(codePage_.Decode(windowsPath)).string();
}

fs::path HostFileSystem::HostPathOf(const std::u32string& windowsPath) const {
  std::vector<std::u32string> parts;
  if (!DriveCComponents(windowsPath, &parts)) return fs::path();
  fs::path host(driveC_);
  for (const std::u32string& part : parts) {
    fs::path next = host / fs::u8path(EncodeUtf8(part));
    std::error_code ec;
    if (!fs::exists(next, ec) && fs::is_directory(host, ec)) {
      const std::u32string folded = FoldCase(part);
      for (const auto& entry : fs::directory_iterator(host, ec)) {
        if (FoldCase(DecodeUtf8(entry.path().filename().u8string())) == folded) {
          next = entry.path();
          break;
        }
      }
    }
    host = next;
  }
  return host;
}

bool HostFileSystem::PathExists(const std::string& path) {
  std::u32string text = codePage_.Decode(path);
  // Names the platform refuses outright.
  if (text.find_first_of(U"*?\"<>|") != std::u32string::npos) return false;
  // Trailing blanks and dots are not part of the name, down to the root.
  const std::size_t root = text.size() >= 3 && text[1] == U':' && IsSeparator(text[2]) ? 3 : 0;
  while (text.size() > root && (text.back() == U' ' || text.back() == U'.')) text.pop_back();
  if (text.empty()) return !path.empty();  // blanks and dots alone: the current folder
  const fs::path host = HostPathOf(text);
  if (host.empty()) return false;
  std::error_code ec;
  // A path that ends in a separator names a folder, never a file.
  return IsSeparator(text.back()) ? fs::is_directory(host, ec) : fs::exists(host, ec);
}

std::string HostFileSystem::SpecialFolderPath(int folderId) {
  if (folderId == kFolderLocalAppData) return "C:\\Users\\User\\AppData\\Local";
  return folderId == kFolderPersonal ? documents_ : std::string();
}

bool HostFileSystem::CreateFolder(const std::string& path) {
  const fs::path host = HostPathOf(codePage_.Decode(path));
  if (host.empty()) return false;
  std::error_code ec;
  return fs::create_directory(host, ec) && !ec;
}

bool HostFileSystem::WriteWholeFile(const std::string& path, const std::string& bytes) {
  const fs::path host = HostPathOf(codePage_.Decode(path));
  if (host.empty()) return false;
  std::ofstream file(host, std::ios::binary | std::ios::trunc);
  return file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush().good();
}

bool HostFileSystem::ReadWholeFile(const std::string& path, std::string* bytes) {
  const fs::path host = HostPathOf(codePage_.Decode(path));
  std::error_code ec;
  if (host.empty() || !fs::is_regular_file(host, ec)) return false;
  std::ifstream in(host, std::ios::binary);
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

namespace {

class HostLineWriter final : public LineWriter {
 public:
  HostLineWriter(const fs::path& host, int failFromLine)
      : file_(host, std::ios::binary | std::ios::trunc), failFromLine_(failFromLine) {}
  bool IsOpen() const { return file_.is_open(); }

  bool WriteLine(std::string_view line) override {
    if (failFromLine_ > 0 && ++lines_ >= failFromLine_) return false;
    return file_.write(line.data(), static_cast<std::streamsize>(line.size())).write("\r\n", 2).good();
  }

 private:
  std::ofstream file_;
  int failFromLine_;
  int lines_ = 0;
};

}  // namespace

std::unique_ptr<LineWriter> HostFileSystem::OpenForWriting(const std::string& path) {
  const fs::path host = HostPathOf(codePage_.Decode(path));
  if (host.empty()) return nullptr;
  auto file = std::make_unique<HostLineWriter>(host, failWritesFromLine_);
  if (!file->IsOpen()) return nullptr;
  return file;
}

FolderListing HostFileSystem::ListFolder(const std::string& path) {
  FolderListing listing;
  const fs::path host = HostPathOf(codePage_.Decode(path));
  std::error_code ec;
  if (host.empty() || !fs::is_directory(host, ec)) return listing;
  listing.found = true;
  std::vector<fs::directory_entry> entries;
  for (const auto& entry : fs::directory_iterator(host, ec)) entries.push_back(entry);
  std::sort(entries.begin(), entries.end(), [](const fs::directory_entry& a, const fs::directory_entry& b) {
    return FoldedName(a.path().filename()) < FoldedName(b.path().filename());
  });
  std::u32string folderText = codePage_.Decode(path);
  while (!folderText.empty() && IsSeparator(folderText.back())) folderText.pop_back();
  const std::string folder = codePage_.Encode(folderText);
  for (const auto& entry : entries) {
    const std::string name = codePage_.Encode(DecodeUtf8(entry.path().filename().u8string()));
    if (entry.is_directory(ec)) {
      listing.subFolders.push_back(folder + "\\" + name);
    } else {
      listing.files.push_back(name);
    }
  }
  return listing;
}

std::string HostFileSystem::FileFullPath(const std::string& path) {
  const fs::path host = HostPathOf(codePage_.Decode(path));
  std::error_code ec;
  if (host.empty() || !fs::is_regular_file(host, ec)) return std::string();
  std::u32string full = codePage_.Decode(path);
  for (char32_t& c : full) {
    if (c == U'/') c = U'\\';
  }
  if (full.size() < 2 || full[1] != U':') {
    full = U"C:" + std::u32string(full.empty() || full[0] != U'\\' ? U"\\" : U"") + full;
  }
  return codePage_.Encode(full);
}

}  // namespace platform
