// The registry facility over advapi32's narrow-character functions, and its
// wide-character functions for the one read of a value by name.
#pragma once

#include "platform/registry.h"

namespace platform {

class Win32Registry final : public Registry {
 public:
  long OpenKeyEx(RegHandle key, const char* subKey, std::uint32_t options,
                 std::uint32_t access, RegHandle* result) override;
  long EnumKey(RegHandle key, std::uint32_t index, char* name,
               std::uint32_t nameSize) override;
  long EnumValue(RegHandle key, std::uint32_t index, char* name,
                 std::uint32_t* nameLength, std::uint32_t* type, unsigned char* data,
                 std::uint32_t* dataLength) override;
  long CloseKey(RegHandle key) override;
  long CreateKey(RegHandle key, const char* subKey, RegHandle* result) override;
  long DeleteValue(RegHandle key, const char* valueName) override;
  // RegOpenKeyExW(KEY_QUERY_VALUE) and RegQueryValueExW.
  long QueryValue(RegHandle root, const char* keyPath, const char* valueName, NamedValue* value) override;
};

}  // namespace platform
