// Turns search hits into findings: a hit is a finding when the path its value
// text names does not exist, and the finding becomes a row of the error list.
#pragma once

#include <cstdint>
#include <string>

#include "app/list_view.h"
#include "engine/text_compare.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace app {

class FindingClassifier {
 public:
  // Value texts are cut by the characters of `codePage`.
  FindingClassifier(ListView& lvErrorRegKey, platform::FileSystem& files,
                    const platform::CodePage& codePage = engine::DefaultCodePage())
      : lvErrorRegKey_(lvErrorRegKey), files_(files), codePage_(codePage) {}
  virtual ~FindingClassifier() = default;

  // Handler of the search's SearchFound event. It never lets an error escape
  // into the walk: a step that fails is skipped and the next one runs, so a
  // hit whose path cannot be extracted is tested with the empty path, which
  // does not exist, and listed.
  void cReg_SearchFound(const std::string& sRootKey, const std::string& sKey, const std::string& sValue,
                        std::int32_t lFound);

 protected:
  // The path the value's text names (PathExtractor).
  virtual std::string ExtractPath(const std::string& text) const;

 private:
  ListView& lvErrorRegKey_;
  platform::FileSystem& files_;
  const platform::CodePage& codePage_;
};

}  // namespace app
