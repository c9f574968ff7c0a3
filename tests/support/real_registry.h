// The real registry of the test prefix: a scratch key that one test owns,
// built from a sample tree, and reading values and whole subtrees back.
// Paths are relative to HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <algorithm>
#include <ostream>
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

// One value as read back. `data` holds ANSI text without its terminating NUL
// for REG_SZ and REG_EXPAND_SZ (read through the narrow calls) and the bytes
// as stored for every other type; `raw` holds the bytes as stored, strings in
// UTF-16 (read through the wide calls).
struct StoredValue {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;
  std::string raw;

  bool operator==(const StoredValue& o) const { return name == o.name && type == o.type && data == o.data; }
};

inline void PrintTo(const StoredValue& v, std::ostream* os) {
  *os << "{\"" << v.name << "\", type " << v.type << ", \"" << v.data << "\", " << v.raw.size() << " raw bytes}";
}

inline StoredValue StringValue(const std::string& name, const std::string& text) { return {name, REG_SZ, text, ""}; }

// The value `name` of HKCU\<keyPath>; found is false when there is none.
struct ReadBack {
  bool found = false;
  StoredValue value;
};

inline ReadBack ReadValue(const std::string& keyPath, const std::string& name) {
  ReadBack result;
  const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
  DWORD type = REG_NONE, size = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), flags, &type, nullptr, &size) != ERROR_SUCCESS) {
    return result;
  }
  std::string data(size, '\0');
  RegGetValueA(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), flags, &type, size ? &data[0] : nullptr, &size);
  data.resize(size);
  if ((type == REG_SZ || type == REG_EXPAND_SZ) && !data.empty() && data.back() == '\0') data.pop_back();
  // The stored bytes exactly: RegQueryValueExW adds no terminating NUL.
  std::string raw;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
    const std::wstring wideName = Wide(name);
    DWORD rawSize = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, nullptr, nullptr, &rawSize) == ERROR_SUCCESS) {
      raw.assign(rawSize, '\0');
      RegQueryValueExW(key, wideName.c_str(), nullptr, nullptr, rawSize ? reinterpret_cast<BYTE*>(&raw[0]) : nullptr,
                       &rawSize);
      raw.resize(rawSize);
    }
    RegCloseKey(key);
  }
  result.found = true;
  result.value = {name, type, data, raw};
  return result;
}

// The values of HKCU\<keyPath>, sorted by name.
inline std::vector<StoredValue> ValuesOf(const std::string& keyPath) {
  std::vector<StoredValue> values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  std::vector<std::string> names;
  char name[16384];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof(name);
    if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const std::string& n : names) values.push_back(ReadValue(keyPath, n).value);
  std::sort(values.begin(), values.end(), [](const StoredValue& a, const StoredValue& b) { return a.name < b.name; });
  return values;
}

inline std::vector<std::string> SubkeysOf(const std::string& keyPath) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[512];
  for (DWORD index = 0; RegEnumKeyA(key, index, name, sizeof(name)) == ERROR_SUCCESS; ++index) names.push_back(name);
  RegCloseKey(key);
  return names;
}

// Every key and value below HKCU\<keyPath>, one line each (keys first), with
// each value's type and stored bytes: equal lists mean equal subtrees.
inline std::vector<std::string> TreeBelow(const std::string& keyPath) {
  std::vector<std::string> keys, values;
  std::vector<std::string> pending = {keyPath};
  while (!pending.empty()) {
    const std::string path = pending.back();
    pending.pop_back();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    RegCloseKey(key);
    keys.push_back(path);
    for (const StoredValue& v : ValuesOf(path)) {
      values.push_back(path + " | " + v.name + " | " + std::to_string(v.type) + " | " + v.raw);
    }
    for (const std::string& name : SubkeysOf(path)) pending.push_back(path + "\\" + name);
  }
  std::sort(keys.begin(), keys.end());
  std::sort(values.begin(), values.end());
  keys.insert(keys.end(), values.begin(), values.end());
  return keys;
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
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (key) RegCloseKey(key);
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
      if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(Sub(e.keyPath)).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS) {
        continue;
      }
      if (!e.isKey) {
        const bool text = e.type == REG_SZ || e.type == REG_EXPAND_SZ || e.type == REG_MULTI_SZ;
        const std::wstring wideData = text ? Wide(e.data) : std::wstring();
        const BYTE* bytes = text ? reinterpret_cast<const BYTE*>(wideData.data())
                                 : reinterpret_cast<const BYTE*>(e.data.data());
        const DWORD size = static_cast<DWORD>(text ? wideData.size() * sizeof(wchar_t) : e.data.size());
        RegSetValueExW(key, Wide(e.name).c_str(), 0, e.type, bytes, size);
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
    return ReadValue(Sub(relative), name).found;
  }

 private:
  std::string path_;
};

}  // namespace testsupport
