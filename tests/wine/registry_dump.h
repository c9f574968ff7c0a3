// Reads a key of the real registry back, for comparing what an import left.
#pragma once

#include <windows.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace testsupport {

struct StoredValue {
  std::string name;
  DWORD type = REG_NONE;
  std::string data;  // string types without their terminating NUL

  bool operator==(const StoredValue& other) const {
    return name == other.name && type == other.type && data == other.data;
  }
};

inline void PrintTo(const StoredValue& v, std::ostream* os) {
  *os << "{\"" << v.name << "\", type " << v.type << ", \"" << v.data << "\"}";
}

inline StoredValue StringValue(const std::string& name, const std::string& text) { return {name, REG_SZ, text}; }

// The values of HKCU\<keyPath>, by name.
inline std::vector<StoredValue> ValuesOf(const std::string& keyPath) {
  std::vector<StoredValue> values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD nameLength = sizeof(name);
    DWORD type = 0;
    BYTE data[16384];
    DWORD dataLength = sizeof(data);
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
    std::string bytes(reinterpret_cast<const char*>(data), dataLength);
    const bool text = type == REG_SZ || type == REG_EXPAND_SZ;
    if (text && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    values.push_back({std::string(name, nameLength), type, bytes});
  }
  RegCloseKey(key);
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

// Deletes everything below HKCU\<keyPath>, keeping the key itself.
inline void EmptyKey(const std::string& keyPath) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteTreeA(key, nullptr);
  RegCloseKey(key);
}

}  // namespace testsupport
