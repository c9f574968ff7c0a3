// Findings compared and printed as their four texts, for the error-list rows
// that tests expect.
#pragma once

#include <ostream>

#include "app/error_list.h"

namespace app {

inline bool operator==(const ScanFinding& a, const app::ScanFinding& b) {
  return a.errorType == b.errorType && a.rootPath == b.rootPath && a.subPath == b.subPath &&
         a.invalidValue == b.invalidValue;
}

inline std::ostream& operator<<(std::ostream& out, const ScanFinding& f) {
  return out << "{" << f.errorType << " | " << f.rootPath << " | " << f.subPath << " | " << f.invalidValue << "}";
}

}  // namespace app
