#include "app/finding_classifier.h"

#include "app/error_list.h"
#include "app/ignoring_errors.h"
#include "engine/finding_rules.h"
#include "engine/path_extractor.h"

namespace app {

void FindingClassifier::cReg_SearchFound(const std::string& sRootKey, const std::string& sKey,
                                         const std::string& sValue, std::int32_t lFound) {
  std::string path;
  Step([&] { path = ExtractPath(sValue); });
  if (engine::FileExists(files_, path)) return;
  Step([&] { AddFinding(lvErrorRegKey_, {engine::ErrorKind(lFound), sRootKey, sKey, sValue}); });
}

std::string FindingClassifier::ExtractPath(const std::string& text) const {
  return engine::PathExtractor(text, codePage_);
}

}  // namespace app
