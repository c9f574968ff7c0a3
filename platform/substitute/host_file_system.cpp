#include "platform/substitute/host_file_system.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string FoldedName(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return folded;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// The components of a Windows path on drive C, or false for another drive.
bool DriveCComponents(const std::string& windowsPath, std::vector<std::string>* parts) {
  std::string path = windowsPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  if (path.size() >= 2 && path[1] == ':') {
    if (std::toupper(static_cast<unsigned char>(path[0])) != 'C') return false;
    path.erase(0, 2);
  }
  parts->clear();
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = path.find('\\', start);
    const std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part == "..") {
      if (!parts->empty()) parts->pop_back();
    } else if (!part.empty() && part != ".") {
      parts->push_back(part);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return true;
}

}  // namespace

HostFileSystem::HostFileSystem(std::string driveC) : driveC_(std::move(driveC)) {}

std::string HostFileSystem::HostPath(const std::string& windowsPath) const {
  std::vector<std::string> parts;
  if (!DriveCComponents(windowsPath, &parts)) return std::string();
  fs::path host(driveC_);
  for (const std::string& part : parts) {
    fs::path next = host / part;
    std::error_code ec;
    if (!fs::exists(next, ec) && fs::is_directory(host, ec)) {
      for (const auto& entry : fs::directory_iterator(host, ec)) {
        if (SameNameIgnoringCase(entry.path().filename().string(), part)) {
          next = entry.path();
          break;
        }
      }
    }
    host = next;
  }
  return host.string();
}

bool HostFileSystem::PathExists(const std::string& path) {
  if (path.empty()) return false;
  // Names the platform refuses outright.
  if (path.find_first_of("*?\"<>|") != std::string::npos) return false;
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  std::error_code ec;
  return fs::exists(host, ec);
}

std::string HostFileSystem::SpecialFolderPath(int folderId) {
  if (folderId == kFolderLocalAppData) return "C:\\Users\\User\\AppData\\Local";
  return folderId == kFolderPersonal ? documents_ : std::string();
}

bool HostFileSystem::CreateFolder(const std::string& path) {
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  std::error_code ec;
  return fs::create_directory(fs::path(host), ec) && !ec;
}

bool HostFileSystem::WriteWholeFile(const std::string& path, const std::string& bytes) {
  const std::string host = HostPath(path);
  if (host.empty()) return false;
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(host.c_str(), "wb"));
  if (!file) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
  return std::fflush(file.get()) == 0;
}

bool HostFileSystem::ReadWholeFile(const std::string& path, std::string* bytes) {
  const std::string host = HostPath(path);
  std::error_code ec;
  if (host.empty() || !fs::is_regular_file(host, ec)) return false;
  std::ifstream in(host, std::ios::binary);
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

FolderListing HostFileSystem::ListFolder(const std::string& path) {
  FolderListing listing;
  const std::string host = HostPath(path);
  std::error_code ec;
  if (host.empty() || !fs::is_directory(host, ec)) return listing;
  listing.found = true;
  std::vector<fs::directory_entry> entries;
  for (const auto& entry : fs::directory_iterator(host, ec)) entries.push_back(entry);
  std::sort(entries.begin(), entries.end(), [](const fs::directory_entry& a, const fs::directory_entry& b) {
    return FoldedName(a.path().filename().string()) < FoldedName(b.path().filename().string());
  });
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory(ec)) {
      listing.subFolders.push_back(folder + "\\" + name);
    } else {
      listing.files.push_back(name);
    }
  }
  return listing;
}

std::string HostFileSystem::FileFullPath(const std::string& path) {
  const std::string host = HostPath(path);
  std::error_code ec;
  if (host.empty() || !fs::is_regular_file(host, ec)) return std::string();
  std::string full = path;
  for (char& c : full) {
    if (c == '/') c = '\\';
  }
  if (full.size() < 2 || full[1] != ':') full = "C:" + std::string(full.empty() || full[0] != '\\' ? "\\" : "") + full;
  return full;
}

}  // namespace platform
