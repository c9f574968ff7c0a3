// The previous-instance test: whether this program already runs for the user.
#pragma once

namespace platform {

class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
  // True when another instance of the program was already running when this
  // one started.
  virtual bool AnotherInstanceRunning() const = 0;
};

}  // namespace platform
