// The restore-point facility over COM: the moniker is bound to an object's
// dispatch interface, and the method is looked up by name and invoked with a
// text and two 16-bit integers.
#pragma once

#include "platform/restore_point.h"

namespace platform {

class Win32RestorePoint final : public RestorePoint {
 public:
  std::unique_ptr<RestoreService> Bind(const std::string& moniker) override;
};

}  // namespace platform
