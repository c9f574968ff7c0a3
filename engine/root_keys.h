// The seven registry roots by name and handle value, and the pseudo root
// "HKEY_ALL" (0) that stands for all of them. Table order is the order in
// which an all-roots search visits them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace engine {

using RootHandle = std::uint32_t;

struct RootKeyEntry {
  const char* name;
  RootHandle handle;
};

constexpr RootHandle kAllRoots = 0;

constexpr std::array<RootKeyEntry, 7> kRootKeys = {{
    {"HKEY_CLASSES_ROOT", 0x80000000u},
    {"HKEY_CURRENT_USER", 0x80000001u},
    {"HKEY_LOCAL_MACHINE", 0x80000002u},
    {"HKEY_USERS", 0x80000003u},
    {"HKEY_PERFORMANCE_DATA", 0x80000004u},
    {"HKEY_CURRENT_CONFIG", 0x80000005u},
    {"HKEY_DYN_DATA", 0x80000006u},
}};

// Name of one of the seven roots; the empty text for any other value, 0 included.
std::string RootKeyName(RootHandle handle);
// Handle of the root whose name equals `name` exactly (case-sensitive);
// 0 for "HKEY_ALL" and for any name that is not a root.
RootHandle RootKeyFromName(const std::string& name);

}  // namespace engine
