#include "platform/win32/win32_registry.h"

#include <windows.h>

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

}  // namespace platform
