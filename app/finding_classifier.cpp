#include "app/finding_classifier.h"

#include "app/error_list.h"
#include "engine/finding_rules.h"
#include "engine/path_extractor.h"

namespace app {

void FindingClassifier::cReg_SearchFound(const std::string& sRootKey, const std::string& sKey,
                                         const std::string& sValue, std::int32_t lFound) {
  try {
    const std::string path = engine::PathExtractor(sValue);
    if (engine::FileExists(files_, path)) return;
    AddFinding(lvErrorRegKey_, {engine::ErrorKind(lFound), sRootKey, sKey, sValue});
  } catch (...) {
    // A hit that could not be listed is dropped; the walk goes on.
  }
}

}  // namespace app
