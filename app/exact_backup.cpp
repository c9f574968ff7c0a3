#include "app/exact_backup.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/registry_export.h"
#include "engine/ansi_chars.h"
#include "engine/root_keys.h"

namespace app {
namespace {

// FNV-1a, 64 bits: enough to notice that the user edited the plain file.
std::uint64_t Fnv1a64(const std::string& bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  return hash;
}

std::u16string Widened(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

constexpr const char* kExactFolders[] = {"Zentrova", "Hivesweep", "Exact"};

std::string FileName(const std::string& path) {
  const std::size_t lastBackslash = path.rfind('\\');
  return lastBackslash == std::string::npos ? path : path.substr(lastBackslash + 1);
}

// The value a checked row names, as the registry holds it; false when there is none.
bool ReadRowValue(const ListView& rows, RowNumber row, platform::Registry& registry,
                  const platform::CodePage& codePage, ExportedValue* exported) {
  const std::string rootName = rows.SubItem(row, 1);
  const engine::RootHandle root = engine::RootKeyFromName(rootName);
  if (root == engine::kAllRoots) return false;
  // The removal's split: key path before the sub path's last backslash.
  const std::string subPath = rows.SubItem(row, 2);
  const std::size_t lastBackslash = engine::LastBackslash(subPath, codePage);
  const std::string keyPath = lastBackslash == std::string::npos ? std::string() : subPath.substr(0, lastBackslash);
  const std::string name = lastBackslash == std::string::npos ? subPath : subPath.substr(lastBackslash + 1);
  platform::NamedValue value;
  if (registry.QueryValue(root, keyPath.c_str(), name.c_str(), &value) != platform::reg_result::kSuccess) return false;
  exported->keyPath = Widened(rootName) + (value.keyPath.empty() ? u"" : u"\\" + value.keyPath);
  exported->name = value.name;
  exported->type = value.type;
  exported->data = std::move(value.data);
  return true;
}

}  // namespace

std::string ExactFolderPath(platform::FileSystem& files) {
  const std::string local = files.SpecialFolderPath(platform::kFolderLocalAppData);
  if (local.empty()) return std::string();
  std::string folder = local;
  for (const char* part : kExactFolders) folder += std::string("\\") + part;
  return folder + "\\";
}

std::string ExactTwinPath(platform::FileSystem& files, const std::string& backupName) {
  const std::string folder = ExactFolderPath(files);
  return folder.empty() ? std::string() : folder + backupName;
}

std::string PlainFileStamp(const std::string& plainBytes) {
  char stamp[128];
  std::snprintf(stamp, sizeof(stamp), "Hivesweep exact backup; plain file: %llu bytes, FNV-1a 64 %016llx",
                static_cast<unsigned long long>(plainBytes.size()),
                static_cast<unsigned long long>(Fnv1a64(plainBytes)));
  return stamp;
}

void WriteExactBackup(const ListView& lvErrorRegKey, platform::Registry& registry, platform::FileSystem& files,
                      const std::string& plainPath, const platform::CodePage& codePage) {
  std::string plainBytes;
  if (plainPath.empty() || !files.ReadWholeFile(plainPath, &plainBytes)) return;
  const std::string local = files.SpecialFolderPath(platform::kFolderLocalAppData);
  if (local.empty() || !files.PathExists(local)) return;
  // One folder at a time below the local application data folder.
  std::string folder = local;
  for (const char* part : kExactFolders) {
    folder += std::string("\\") + part;
    if (!files.PathExists(folder) && !files.CreateFolder(folder)) return;
  }

  std::vector<ExportedValue> values;
  const RowNumber count = lvErrorRegKey.Count();
  for (RowNumber row = 1; row <= count; ++row) {
    if (!lvErrorRegKey.Checked(row)) continue;
    ExportedValue value;
    if (ReadRowValue(lvErrorRegKey, row, registry, codePage, &value)) values.push_back(std::move(value));
  }
  files.WriteWholeFile(folder + "\\" + FileName(plainPath), ExportFile(PlainFileStamp(plainBytes), values));
}

std::string RestoreSource(platform::FileSystem& files, const std::string& plainPath, const std::string& twinPath) {
  std::string plainBytes, twinBytes;
  if (twinPath.empty() || !files.ReadWholeFile(plainPath, &plainBytes) || !files.ReadWholeFile(twinPath, &twinBytes)) {
    return plainPath;
  }
  // The twin begins with the header and the stamp of the plain file it was written with.
  const std::string expectedStart = ExportFile(PlainFileStamp(plainBytes), {});
  return twinBytes.compare(0, expectedStart.size(), expectedStart) == 0 ? twinPath : plainPath;
}

}  // namespace app
