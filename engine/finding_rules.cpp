#include "engine/finding_rules.h"

namespace engine {

std::string ErrorKind(std::int32_t lFound) {
  switch (lFound) {
    case 0:
      return "Missing or Invalid Key Name";
    case 1:
      return "Missing or Invalid Value Name";
    case 2:
      return "Missing or Invalid Path";
    default:
      return std::string();
  }
}

}  // namespace engine
