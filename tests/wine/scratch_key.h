// A key of the real registry that one test owns, below
// HKCU\Software\HivesweepTest (named after the process and a counter),
// created empty and removed with its subtree afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/sample_tree.h"

namespace testsupport {

inline std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
  return wide;
}

class ScratchKey {
 public:
  ScratchKey() {
    static int counter = 0;
    path_ = "Software\\HivesweepTest\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (key) RegCloseKey(key);
  }
  ~ScratchKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\HivesweepTest");  // only succeeds when empty
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  // Path relative to HKEY_CURRENT_USER.
  const std::string& Path() const { return path_; }
  std::string Sub(const std::string& relative) const { return relative.empty() ? path_ : path_ + "\\" + relative; }

  // Writes the entries through the wide calls, so that names and string data
  // are stored as the platform stores them, whatever the ANSI code page.
  void Build(const std::vector<SampleEntry>& entries) const {
    for (const auto& e : entries) {
      HKEY key = nullptr;
      const std::wstring keyPath = Wide(Sub(e.keyPath));
      if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        continue;
      }
      if (!e.isKey) {
        const bool text = e.type == REG_SZ || e.type == REG_EXPAND_SZ || e.type == REG_MULTI_SZ;
        const std::wstring name = Wide(e.name);
        if (text) {
          const std::wstring data = Wide(e.data);
          RegSetValueExW(key, name.c_str(), 0, e.type, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(data.size() * sizeof(wchar_t)));
        } else {
          RegSetValueExW(key, name.c_str(), 0, e.type, reinterpret_cast<const BYTE*>(e.data.data()),
                         static_cast<DWORD>(e.data.size()));
        }
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

  bool HasValue(const std::string& relative, const std::string& name) const {
    return RegGetValueA(HKEY_CURRENT_USER, Sub(relative).c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
  }

 private:
  std::string path_;
};

}  // namespace testsupport
