// The scan's fixed parameters: every root, from the root itself, value names
// and value data, any text holding "C:\".
#pragma once

#include "engine/reg_search.h"

namespace app {

inline void ConfigureScan(engine::cRegSearch& search) {
  search.RootKey(engine::kAllRoots);
  search.subkey("");
  search.SearchFlags(engine::SearchValueNames | engine::SearchValueData);
  search.SearchString("C:\\");
}

}  // namespace app
