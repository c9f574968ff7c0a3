// The registry access layer: every registry call the program makes goes
// through here, over the six calls of the registry facility. Failures are
// absorbed: an open that fails means "skip the key", an enumeration that
// fails for any reason means "end of the list".
#pragma once

#include <cstdint>
#include <string>

#include "engine/root_keys.h"
#include "engine/text_compare.h"
#include "platform/code_page.h"
#include "platform/registry.h"

namespace engine {

constexpr std::uint32_t kKeyReadAccess = 0x20019;  // query values, enumerate, notify, read control
constexpr std::uint32_t kNameBufferChars = 260;
constexpr std::uint32_t kDataBufferBytes = 4096;

// The text before the first NUL, or the whole text when it holds none.
std::string TrimAtNull(const std::string& text);

// Display text of a value: strings as text (first string of a multi-string),
// binary as blank-separated hex pairs, DWORD as 0x0000001F(31), every other
// type "Temporarily unsupported". `data` holds at least one byte.
std::string ValueToText(std::uint32_t type, const std::string& data);

struct EnumeratedValue {
  std::string name;
  std::uint32_t type = 0;
  std::string data;  // at least one byte: empty data reads as one zero byte
};

class RegistryAccess {
 public:
  // Paths are split by the characters of `codePage`.
  explicit RegistryAccess(platform::Registry& registry,
                          const platform::CodePage& codePage = DefaultCodePage())
      : registry_(registry), codePage_(codePage) {}

  // Opens a key for reading; 0 when it cannot be opened.
  platform::RegHandle OpenForReading(RootHandle root, const std::string& keyPath);
  void Close(platform::RegHandle key);
  // Sub key name at `index`; false ends the enumeration.
  bool EnumKey(platform::RegHandle key, std::uint32_t index, std::string* name);
  // Value at `index`: the call's result, reg_result::kSuccess when the value
  // was read. Any other result ends the enumeration (this includes a name of
  // 260 or more characters and data over 4096 bytes, and kKeyDeleted for a
  // key deleted while open).
  long EnumValue(platform::RegHandle key, std::uint32_t index, EnumeratedValue* value);

  // Deletes one value. Never creates a key: a key path that does not name an
  // existing key deletes nothing.
  void DeleteRegistryValue(RootHandle root, const std::string& keyPath, const std::string& valueName);
  // Deletes the value a sub path names: key path before the last backslash,
  // value name after it (no backslash: a value of the root itself). A trail
  // byte with the value of a backslash splits nothing.
  void DeleteValueAtPath(RootHandle root, const std::string& subPath);

 private:
  platform::Registry& registry_;
  const platform::CodePage& codePage_;
  std::string dataBuffer_;
};

// A key opened for reading, closed when it goes out of scope.
class OpenedKey {
 public:
  OpenedKey(RegistryAccess& access, RootHandle root, const std::string& keyPath)
      : access_(access), handle_(access.OpenForReading(root, keyPath)) {}
  ~OpenedKey() {
    if (handle_ != 0) access_.Close(handle_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  bool IsOpen() const { return handle_ != 0; }
  platform::RegHandle Handle() const { return handle_; }

 private:
  RegistryAccess& access_;
  platform::RegHandle handle_;
};

}  // namespace engine
