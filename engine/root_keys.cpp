#include "engine/root_keys.h"

namespace engine {

std::string RootKeyName(RootHandle handle) {
  for (const auto& root : kRootKeys) {
    if (root.handle == handle) return root.name;
  }
  return std::string();
}

RootHandle RootKeyFromName(const std::string& name) {
  for (const auto& root : kRootKeys) {
    if (name == root.name) return root.handle;
  }
  return kAllRoots;  // "HKEY_ALL" and unknown names alike: no root
}

}  // namespace engine
