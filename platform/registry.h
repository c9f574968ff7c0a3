// The registry facility: the six narrow-character registry calls the program
// makes, with the platform's result codes, and one read of a value by name for
// the exact backup. Names and data cross this interface in the system ANSI
// code page, except what that read returns.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A key handle as the calls see it; 0 means no key. The seven predefined roots
// are passed as their 32-bit table values (0x80000000 to 0x80000006).
using RegHandle = std::uintptr_t;

// Result codes the callers and the substitute share (the platform's own values).
namespace reg_result {
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
constexpr long kKeyDeleted = 1018;
}  // namespace reg_result

// Value types the program distinguishes.
namespace reg_type {
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kSz = 1;
constexpr std::uint32_t kExpandSz = 2;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kDwordBigEndian = 5;
constexpr std::uint32_t kLink = 6;
constexpr std::uint32_t kMultiSz = 7;
}  // namespace reg_type

// One value read by name (Registry::QueryValue).
struct NamedValue {
  std::u16string keyPath;  // the key path and the name as the platform
  std::u16string name;     // converted them from ANSI (UTF-16)
  std::uint32_t type = 0;
  std::string data;        // the bytes as stored: strings in UTF-16LE
};

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA(root, path, options, access, &key).
  virtual long OpenKeyEx(RegHandle key, const char* subKey, std::uint32_t options,
                         std::uint32_t access, RegHandle* result) = 0;
  // RegEnumKeyA(key, index, name, nameSize): the name comes back NUL-terminated.
  virtual long EnumKey(RegHandle key, std::uint32_t index, char* name,
                       std::uint32_t nameSize) = 0;
  // RegEnumValueA(key, index, name, &nameLength, reserved 0, &type, data, &dataLength).
  virtual long EnumValue(RegHandle key, std::uint32_t index, char* name,
                         std::uint32_t* nameLength, std::uint32_t* type,
                         unsigned char* data, std::uint32_t* dataLength) = 0;
  // RegCloseKey(key).
  virtual long CloseKey(RegHandle key) = 0;
  // RegCreateKeyA(root, path, &key): opens for writing, creating missing keys.
  virtual long CreateKey(RegHandle key, const char* subKey, RegHandle* result) = 0;
  // RegDeleteValueA(key, name).
  virtual long DeleteValue(RegHandle key, const char* valueName) = 0;

  // Reads one value by name through the wide-character calls: the ANSI key
  // path and name are converted as the narrow calls convert them, the key is
  // opened for querying (never created) and the value read whatever its
  // length. kSuccess when it was read. A facility that cannot read by name
  // (a wrapper that only times the walk) answers "file not found".
  virtual long QueryValue(RegHandle root, const char* keyPath, const char* valueName, NamedValue* value) {
    (void)root, (void)keyPath, (void)valueName, (void)value;
    return reg_result::kFileNotFound;
  }
};

}  // namespace platform
