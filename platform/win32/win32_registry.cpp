#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace platform {
namespace {

// The predefined roots are 32-bit values that the 64-bit platform sign-extends
// (HKEY_CLASSES_ROOT is 0xFFFFFFFF80000000 there); opened keys pass unchanged.
HKEY ToHkey(RegHandle key) {
  if (key >= 0x80000000u && key <= 0x80000006u) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key))));
  }
  return reinterpret_cast<HKEY>(key);
}

RegHandle FromHkey(HKEY key) { return reinterpret_cast<RegHandle>(key); }

// ANSI text to UTF-16 as the narrow registry calls convert it.
std::wstring FromAnsi(const char* text) {
  const int length = static_cast<int>(std::strlen(text));
  if (length == 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');  // never more units than bytes
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], length)));
  return wide;
}

// Closes a key opened here when it goes out of scope.
class KeyCloser {
 public:
  explicit KeyCloser(HKEY key) : key_(key) {}
  ~KeyCloser() { RegCloseKey(key_); }
  KeyCloser(const KeyCloser&) = delete;
  KeyCloser& operator=(const KeyCloser&) = delete;

 private:
  HKEY key_;
};

}  // namespace

long Win32Registry::OpenKeyEx(RegHandle key, const char* subKey, std::uint32_t options,
                              std::uint32_t access, RegHandle* result) {
  HKEY opened = nullptr;
  const LONG rc = RegOpenKeyExA(ToHkey(key), subKey, options, access, &opened);
  *result = rc == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return rc;
}

long Win32Registry::EnumKey(RegHandle key, std::uint32_t index, char* name,
                            std::uint32_t nameSize) {
  return RegEnumKeyA(ToHkey(key), index, name, nameSize);
}

long Win32Registry::EnumValue(RegHandle key, std::uint32_t index, char* name,
                              std::uint32_t* nameLength, std::uint32_t* type,
                              unsigned char* data, std::uint32_t* dataLength) {
  DWORD nameChars = *nameLength;
  DWORD valueType = 0;
  DWORD dataBytes = *dataLength;
  const LONG rc = RegEnumValueA(ToHkey(key), index, name, &nameChars, nullptr, &valueType,
                                data, &dataBytes);
  *nameLength = nameChars;
  *type = valueType;
  *dataLength = dataBytes;
  return rc;
}

long Win32Registry::CloseKey(RegHandle key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::CreateKey(RegHandle key, const char* subKey, RegHandle* result) {
  HKEY created = nullptr;
  const LONG rc = RegCreateKeyA(ToHkey(key), subKey, &created);
  *result = rc == ERROR_SUCCESS ? FromHkey(created) : 0;
  return rc;
}

long Win32Registry::DeleteValue(RegHandle key, const char* valueName) {
  return RegDeleteValueA(ToHkey(key), valueName);
}

long Win32Registry::QueryValue(RegHandle root, const char* keyPath, const char* valueName, NamedValue* value) {
  const std::wstring wideKey = FromAnsi(keyPath);
  const std::wstring wideName = FromAnsi(valueName);
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExW(ToHkey(root), wideKey.c_str(), 0, KEY_QUERY_VALUE, &key);
  if (rc != ERROR_SUCCESS) return rc;
  const KeyCloser closer(key);
  // The value may grow between asking its size and reading it: ask again.
  DWORD type = 0;
  std::string data;
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = static_cast<DWORD>(data.size());
    rc = RegQueryValueExW(key, wideName.c_str(), nullptr, &type,
                          data.empty() ? nullptr : reinterpret_cast<BYTE*>(&data[0]), &size);
    if (rc == ERROR_MORE_DATA || (rc == ERROR_SUCCESS && data.empty() && size > 0)) {
      data.assign(size, '\0');
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    data.resize(size);
    value->keyPath.assign(wideKey.begin(), wideKey.end());
    value->name.assign(wideName.begin(), wideName.end());
    value->type = type;
    value->data = std::move(data);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

}  // namespace platform
