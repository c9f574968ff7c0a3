// Puts a sample tree into the substitute registry under a base key.
#pragma once

#include <string>
#include <vector>

#include "platform/substitute/memory_registry.h"
#include "tests/support/sample_tree.h"

namespace testsupport {

inline void BuildTree(platform::MemoryRegistry& registry, std::uint32_t root, const std::string& base,
                      const std::vector<SampleEntry>& entries) {
  registry.AddKey(root, base);
  for (const auto& e : entries) {
    const std::string path = e.keyPath.empty() ? base : base.empty() ? e.keyPath : base + "\\" + e.keyPath;
    if (e.isKey) {
      registry.AddKey(root, path);
    } else {
      registry.SetValue(root, path, e.name, e.type, e.data);
    }
  }
}

}  // namespace testsupport
