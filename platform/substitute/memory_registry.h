// An in-memory registry behind the six registry calls, for running the engine
// where there is no Windows registry. It behaves as the platform does where the
// callers depend on it: names are case-insensitive and enumerate sorted (as
// Wine enumerates), names and string data are converted to the substitute
// code page on the way out, Windows-1252 unless it is given code page 932 (a
// character it cannot hold becomes '?'; the platform maps a few
// letters to look-alikes instead, Greek capital omega to O, and either way the
// converted name no longer opens its key), a name of 260 or more
// characters or data over the caller's buffer gives "more data", and keys can
// be made to refuse opening or to fail enumeration.
//
// The building side of the interface takes UTF-8 names and, for string
// types, UTF-8 data; binary data is stored as given.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"
#include "platform/substitute/substitute_code_page.h"

namespace platform {

class MemoryRegistry final : public Registry {
 public:
  explicit MemoryRegistry(const SubstituteCodePage& codePage = SubstituteCodePage::Windows1252());
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  // --- the six calls ---
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
  // The read by name: string data comes back as UTF-16LE, as the platform
  // stores it, whatever the ANSI code page can hold.
  long QueryValue(RegHandle root, const char* keyPath, const char* valueName, NamedValue* value) override;

  // --- building and inspecting (root is a table value such as 0x80000001) ---
  void AddKey(std::uint32_t root, const std::string& path);
  void SetValue(std::uint32_t root, const std::string& path, const std::string& name,
                std::uint32_t type, const std::string& data);
  // REG_SZ with its terminating NUL, as the platform stores strings.
  void SetString(std::uint32_t root, const std::string& path, const std::string& name,
                 const std::string& text);
  void SetDword(std::uint32_t root, const std::string& path, const std::string& name,
                std::uint32_t value);
  // Removes a key and its subtree; handles still open on it then fail with
  // "key deleted", as the platform's do.
  void DeleteKey(std::uint32_t root, const std::string& path);

  bool HasKey(std::uint32_t root, const std::string& path) const;
  bool HasValue(std::uint32_t root, const std::string& path, const std::string& name) const;
  std::size_t KeyCount() const;
  std::size_t OpenHandleCount() const { return open_.size(); }

  // Opening this key (root or path) fails with "access denied".
  void RefuseOpen(std::uint32_t root, const std::string& path);
  // Enumerating this key's sub keys or values fails with `error` at every
  // index from `fromIndex` on.
  void FailKeyEnumeration(std::uint32_t root, const std::string& path, long error,
                          std::uint32_t fromIndex = 0);
  void FailValueEnumeration(std::uint32_t root, const std::string& path, long error,
                            std::uint32_t fromIndex = 0);

 private:
  struct Node;
  struct Value;

  Node* RootNode(RegHandle handle) const;
  Node* NodeOf(RegHandle handle) const;
  Node* Find(Node* base, const std::u32string& path) const;
  Node* Make(Node* base, const std::u32string& path);
  Node* FindUtf8(std::uint32_t root, const std::string& path) const;
  Node* MakeUtf8(std::uint32_t root, const std::string& path);
  RegHandle NewHandle(Node* node);
  std::u32string FromAnsi(const char* text) const;

  const SubstituteCodePage& codePage_;
  std::vector<std::shared_ptr<Node>> roots_;
  std::unordered_map<RegHandle, std::shared_ptr<Node>> open_;
  RegHandle nextHandle_ = 0x1000;
};

}  // namespace platform
