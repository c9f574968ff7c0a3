// A small registry tree that tests build both in the substitute and in the
// real registry, so that walks over the two can be compared event for event.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace testsupport {

struct SampleEntry {
  std::string keyPath;  // relative to the tree's base key; "" is the base
  std::string name;     // value name (UTF-8); empty with isKey: just the key
  std::uint32_t type;
  std::string data;     // UTF-8 text for string types (with its NUL), bytes otherwise
  bool isKey;
};

inline SampleEntry Key(const std::string& path) { return {path, "", 0, "", true}; }
inline SampleEntry Sz(const std::string& path, const std::string& name, const std::string& text) {
  return {path, name, platform::reg_type::kSz, text + std::string(1, '\0'), false};
}
inline SampleEntry Typed(const std::string& path, const std::string& name, std::uint32_t type,
                         const std::string& data) {
  return {path, name, type, data, false};
}

// Key names in mixed case, values whose names and data hold the search text in
// either case, a value of every kind the walk treats apart, a key the ANSI
// code page cannot name, oversized data and an over-long name.
inline std::vector<SampleEntry> SampleTree() {
  const std::string dword16("\x10\0\0\0", 4);
  namespace t = platform::reg_type;
  return {
      Sz("", "C:\\Root.exe", "C:\\Root.exe"), Sz("", "plain", "nothing here"), Key("beta"),
      Sz("beta", "Path", "\"C:\\Program Files\\App\\app.exe\" -n"), Sz("beta", "lower", "c:\\windows\\notepad.exe"),
      Typed("beta", "Expand", t::kExpandSz, std::string("C:\\x.exe\0", 9)),
      Typed("beta", "C:\\dword.exe", t::kDword, dword16), Typed("beta", "Bin", t::kBinary, std::string("C:\\", 3)),
      Typed("beta", "Multi", t::kMultiSz, std::string("C:\\one\0C:\\two\0\0", 15)), Key("beta\\Inner"),
      Sz("beta\\Inner", "", "C:\\default.dll,4"), Key("Alpha"), Sz("Alpha", "x", "C:\\alpha"),
      Key("Alpha\\Deep\\Deeper"), Sz("Alpha\\Deep\\Deeper", "far", "C:\\far.sys "),
      Key("gamma\xE4\xB8\xAD"),  // "gamma" + a CJK letter: no ANSI name opens it
      Sz("gamma\xE4\xB8\xAD", "hidden", "C:\\hidden.exe"), Key("gamma\xE4\xB8\xAD\\child"), Key("Big"),
      Typed("Big", "a-big", t::kBinary, std::string(5000, 'C')), Sz("Big", "b-after", "C:\\after-big.exe"),
      Key("Big\\Sub"), Sz("Big\\Sub", "s", "C:\\sub.exe"), Key("Long"),
      Sz("Long", std::string("A") + std::string(299, 'n'), "C:\\long-name.exe"),
      Sz("Long", "Z-after", "C:\\after-long.exe"),
      Sz("Long", "caf\xC3\xA9", "C:\\caf\xC3\xA9.exe"),  // é survives the code page
  };
}

}  // namespace testsupport
