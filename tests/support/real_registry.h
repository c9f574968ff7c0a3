// The real registry of the test prefix: a scratch key that one test owns,
// built from a sample tree, and values and whole subtrees read back.
// Paths are relative to HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/sample_tree.h"

namespace testsupport {

inline std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');  // never more UTF-16 units than UTF-8 bytes
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                           &wide[0], static_cast<int>(wide.size()))));
  return wide;
}

// One value as read back through the wide calls (which add no NUL): its type
// and its bytes as stored, strings in UTF-16.
struct StoredValue {
  bool found = false;
  DWORD type = REG_NONE;
  std::string raw;
};

inline StoredValue ReadValue(const std::string& keyPath, const std::string& name) {
  StoredValue v;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return v;
  const std::wstring wideName = Wide(name);
  DWORD size = 0;
  v.found = RegQueryValueExW(key, wideName.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS;
  v.raw.resize(size);
  RegQueryValueExW(key, wideName.c_str(), nullptr, nullptr, size ? reinterpret_cast<BYTE*>(&v.raw[0]) : nullptr, &size);
  v.raw.resize(size);
  RegCloseKey(key);
  return v;
}

// Every key and value below HKCU\<keyPath> (ASCII names), one sorted line
// each, values with their type and stored bytes: equal lists, equal subtrees.
inline std::vector<std::string> TreeBelow(const std::string& keyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  std::vector<std::string> lines{keyPath};
  char name[16384];
  for (DWORD i = 0, n = sizeof(name); RegEnumValueA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) == 0;
       ++i, n = sizeof(name)) {
    const StoredValue stored = ReadValue(keyPath, std::string(name, n));
    lines.push_back(keyPath + " | " + std::string(name, n) + " | " + std::to_string(stored.type) + " | " + stored.raw);
  }
  for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof(name)) == ERROR_SUCCESS; ++i) {
    const std::vector<std::string> below = TreeBelow(keyPath + "\\" + name);
    lines.insert(lines.end(), below.begin(), below.end());
  }
  RegCloseKey(key);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// A key below HKCU\Software\HivesweepTest that one test owns (named after the
// process and a counter), created empty and removed with its subtree.
class ScratchKey {
 public:
  ScratchKey() {
    static int counter = 0;
    path_ = "Software\\HivesweepTest\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, path_.c_str(), &key) == ERROR_SUCCESS) RegCloseKey(key);
  }
  ~ScratchKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\HivesweepTest");  // only succeeds when empty
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  const std::string& Path() const { return path_; }
  std::string Sub(const std::string& relative) const { return relative.empty() ? path_ : path_ + "\\" + relative; }

  // Writes the entries through the wide calls, so that names and string data
  // are stored as the platform stores them, whatever the ANSI code page.
  void Build(const std::vector<SampleEntry>& entries) const {
    for (const auto& e : entries) {
      HKEY key = nullptr;
      if (RegCreateKeyW(HKEY_CURRENT_USER, Wide(Sub(e.keyPath)).c_str(), &key) != ERROR_SUCCESS) continue;
      const bool text = e.type == REG_SZ || e.type == REG_EXPAND_SZ || e.type == REG_MULTI_SZ;
      const std::wstring wide = text ? Wide(e.data) : std::wstring();
      const std::string bytes =
          text ? std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2) : e.data;
      if (!e.isKey) {
        RegSetValueExW(key, Wide(e.name).c_str(), 0, e.type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
      }
      RegCloseKey(key);
    }
  }

  bool HasKey(const std::string& relative) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Sub(relative).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

 private:
  std::string path_;
};

}  // namespace testsupport
