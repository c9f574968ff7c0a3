// Turns search hits into findings: a hit is a finding when the path its value
// text names does not exist, and the finding becomes a row of the error list.
#pragma once

#include <cstdint>
#include <string>

#include "app/list_view.h"
#include "platform/file_system.h"

namespace app {

class FindingClassifier {
 public:
  FindingClassifier(ListView& lvErrorRegKey, platform::FileSystem& files)
      : lvErrorRegKey_(lvErrorRegKey), files_(files) {}

  // Handler of the search's SearchFound event. It never lets an error escape
  // into the walk: a step that fails is skipped.
  void cReg_SearchFound(const std::string& sRootKey, const std::string& sKey, const std::string& sValue,
                        std::int32_t lFound);

 private:
  ListView& lvErrorRegKey_;
  platform::FileSystem& files_;
};

}  // namespace app
